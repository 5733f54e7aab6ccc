#include "cli/source_assessment.hpp"

#include "cli/altium_slot.hpp"
#include "cli/status_ladder.hpp"
#include "parsers/eagle_reader.hpp"
#include "parsers/kicad/kicad_reader.hpp"
#include "parsers/quarn_reader.hpp"
#include "parsers/read_text_file.hpp"

namespace tessan {

namespace {

std::string mpn_of(const SourceOptions& options, const std::filesystem::path& chip_dir) {
  if (options.mpn) return *options.mpn;
  const std::string last = chip_dir.filename().string();
  return is_valid_utf8(last) ? last : std::string();
}

void read_sources(const DiscoveredPaths& paths, SourceBook& book) {
  if (paths.quarn_symbol) {
    book.book("quarn", *paths.quarn_symbol, read_quarn(*paths.quarn_symbol, paths.quarn_footprint),
              "  quarn      ", "package");
  } else {
    book.mark_missing("quarn");
  }
  if (paths.kicad_sym || paths.kicad_mod) {
    book.book("kicad", paths.kicad_sym ? *paths.kicad_sym : *paths.kicad_mod,
              read_kicad(paths.kicad_sym, paths.kicad_mod), "  kicad      ", "footprint");
  } else {
    book.mark_missing("kicad");
  }
  if (paths.eagle) {
    book.book("eagle", *paths.eagle, read_eagle(*paths.eagle), "  eagle (.lbr)", "package");
  } else {
    book.mark_missing("eagle");
  }
  read_altium_slot(paths, book);
}

ResultDoc base_document(const std::string& mpn, const SourceBook& book) {
  ResultDoc doc;
  doc.mpn = mpn;
  doc.sources_compared = book.compared;
  doc.sources_missing = book.missing;
  return doc;
}

void judge_unrecoverable(const std::string& mpn, Assessment& assessment) {
  ResultDoc& doc = assessment.document;
  doc.status = Status::Unrecoverable;
  doc.exit_code = 3;
  doc.summary = mpn + " \u2014 only " + std::to_string(assessment.book.records.size()) +
                " source(s) parseable; cross-source comparison needs \u22652";
  doc.hints = assessment.book.hints;
}

void judge_compared(const std::string& mpn, Assessment& assessment) {
  SourceBook& book = assessment.book;
  const ComparisonReport& report = *assessment.comparison;
  CheckInputs inputs{mpn,          &book.records, book.compared,
                     book.missing, &report.axes,  &report.variants};
  Judgement judgement = judge(inputs, book.hints);
  ResultDoc& doc = assessment.document;
  doc.status = judgement.status;
  doc.exit_code = judgement.exit_code;
  doc.summary = std::move(judgement.summary);
  doc.axes = report.axes;
  doc.variants = report.variants;
  doc.hints = std::move(judgement.hints);
  assessment.summary_is_ok = judgement.summary_is_ok;
}

}  // namespace

TargetResolution resolve_target(const SourceOptions& options) {
  std::error_code ec;
  const auto chip_dir = std::filesystem::canonical(options.chip_dir, ec);
  if (ec) return {std::nullopt, "chip dir: " + ec.message(), false};
  std::string mpn = mpn_of(options, chip_dir);
  if (is_unsafe_mpn(mpn)) {
    return {std::nullopt,
            "invalid MPN \"" + mpn +
                "\": it must not contain \"/\" or a NUL character, nor be \".\" or \"..\"",
            true};
  }
  return {ChipTarget{chip_dir, std::move(mpn)}, "", false};
}

Assessment assess_sources(const std::string& mpn, const DiscoveredPaths& paths) {
  Assessment assessment;
  read_sources(paths, assessment.book);
  assessment.document = base_document(mpn, assessment.book);
  if (assessment.book.records.size() < 2) {
    judge_unrecoverable(mpn, assessment);
  } else {
    assessment.comparison = compare_sources(assessment.book.records);
    judge_compared(mpn, assessment);
  }
  return assessment;
}

}  // namespace tessan
