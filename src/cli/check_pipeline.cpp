#include "cli/check_pipeline.hpp"

#include "cli/altium_slot.hpp"
#include "cli/console.hpp"
#include "cli/source_booking.hpp"
#include "cli/source_discovery.hpp"
#include "cli/status_ladder.hpp"
#include "compare/compare_sources.hpp"
#include "parsers/eagle_reader.hpp"
#include "parsers/kicad/kicad_reader.hpp"
#include "parsers/quarn_reader.hpp"
#include "parsers/read_text_file.hpp"
#include "result_doc_json.hpp"

namespace tessan {

namespace {

std::string mpn_of(const Check& check, const std::filesystem::path& chip_dir) {
  if (check.mpn) return *check.mpn;
  const std::string last = chip_dir.filename().string();
  return is_valid_utf8(last) ? last : std::string();
}

// A cached document answers the run when it reads back and no source is newer than it.
std::optional<int> cached_answer(const std::filesystem::path& result_path,
                                 const DiscoveredPaths& paths) {
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(result_path, ec))) {
    return std::nullopt;
  }
  auto doc = read_result_doc(result_path);
  if (!doc || any_source_newer_than(paths.all(), result_path)) return std::nullopt;
  print_ok(doc->mpn + " \u2014 cached tessan result at " + result_path.string() +
           " (use --force to re-run)");
  return doc->exit_code;
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

ResultDoc base_document(const std::string& mpn, SourceBook& book) {
  ResultDoc doc;
  doc.mpn = mpn;
  doc.sources_compared = std::move(book.compared);
  doc.sources_missing = std::move(book.missing);
  return doc;
}

int finish_unrecoverable(const std::string& mpn, SourceBook& book,
                         const std::filesystem::path& result_path) {
  const std::string message = mpn + " \u2014 only " + std::to_string(book.records.size()) +
                              " source(s) parseable; cross-source comparison needs \u22652";
  print_error(message);
  ResultDoc doc = base_document(mpn, book);
  doc.status = Status::Unrecoverable;
  doc.exit_code = 3;
  doc.summary = message;
  doc.hints = std::move(book.hints);
  (void)write_result_doc(doc, result_path);
  return 3;
}

int finish_compared(const std::string& mpn, SourceBook& book,
                    const std::filesystem::path& result_path) {
  ComparisonReport report = compare_sources(book.records);
  CheckInputs inputs{mpn,          &book.records, book.compared,
                     book.missing, &report.axes,  &report.variants};
  Judgement judgement = judge(inputs, std::move(book.hints));
  if (judgement.summary_is_ok) {
    print_ok(judgement.summary);
  } else {
    print_warn(judgement.summary);
  }
  ResultDoc doc = base_document(mpn, book);
  doc.status = judgement.status;
  doc.exit_code = judgement.exit_code;
  doc.summary = std::move(judgement.summary);
  doc.axes = std::move(report.axes);
  doc.variants = std::move(report.variants);
  doc.hints = std::move(judgement.hints);
  if (auto written = write_result_doc(doc, result_path); !written) {
    print_error("writing tessan.result.json: " + written.error().message());
  }
  return doc.exit_code;
}

}  // namespace

int run_check(const Check& check) {
  set_quiet_mode(check.json_only);
  std::error_code ec;
  const auto chip_dir = std::filesystem::canonical(check.chip_dir, ec);
  if (ec) {
    print_error("chip dir: " + ec.message());
    return 3;
  }
  if (!std::filesystem::is_directory(chip_dir, ec)) {
    print_error("chip dir: " + check.chip_dir.string() + ": Not a directory");
    return 3;
  }
  const std::string mpn = mpn_of(check, chip_dir);
  if (is_unsafe_mpn(mpn)) {
    print_error("invalid MPN \"" + mpn +
                "\": it must not contain \"/\" or a NUL character, nor be \".\" or \"..\"");
    return 2;
  }
  const auto out_dir = check.out_dir ? *check.out_dir : chip_dir;
  const auto result_path = out_dir / (mpn + "-tessan.result.json");
  const DiscoveredPaths paths = discover_sources(check, chip_dir, mpn);

  if (!check.force) {
    if (const auto cached = cached_answer(result_path, paths)) return *cached;
  }

  print_info("tessan check " + mpn + ": discovered sources \u2192");
  SourceBook book;
  read_sources(paths, book);
  if (book.records.size() < 2) return finish_unrecoverable(mpn, book, result_path);
  return finish_compared(mpn, book, result_path);
}

}  // namespace tessan
