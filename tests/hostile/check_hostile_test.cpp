// `check` on chip directories whose every source is hostile: the run ends, each reader's
// failure becomes a hint, and a complete unrecoverable document is written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "hostile/bounded_run.hpp"
#include "hostile/hostile_inputs.hpp"
#include "result_doc_json.hpp"
#include "support/altium_builders.hpp"
#include "support/test_support.hpp"

namespace tessan::hostile {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

const std::vector<std::string> kSourceFiles = {"X-symbol.extracted.json",
                                               "X-footprint.extracted.json",
                                               "X.kicad_sym",
                                               "X.kicad_mod",
                                               "X.lbr",
                                               "X.PcbLib",
                                               "X.SchLib"};

std::string laughs() {
  std::string doctype = "<!DOCTYPE eagle [<!ENTITY a0 \"lol\">";
  for (int level = 1; level <= 9; ++level) {
    doctype += "<!ENTITY a" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i) doctype += "&a" + std::to_string(level - 1) + ";";
    doctype += "\">";
  }
  return doctype +
         "]><eagle><drawing><library><packages><package name=\"&a9;\"/>"
         "</packages></library></drawing></eagle>";
}

std::string signed_noise() {
  std::string bytes = random_bytes(7, 8192);
  bytes.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
  return bytes;
}

// Runs `check --force` on the directory with a watchdog; returns its exit code and the
// document it wrote, read back.
struct CheckRun {
  int exit_code = -1;
  Result<ResultDoc> doc = Error("not run");
};

CheckRun check(const fs::path& chip_dir) {
  const auto run = run_bounded([&] {
    const auto process = testing::run_tessan({"check", "--force", chip_dir.string()});
    return std::to_string(process.exit_code);
  });
  EXPECT_TRUE(run.finished) << run.ending;
  CheckRun result;
  if (!run.finished) return result;
  result.exit_code = std::stoi(run.report);
  result.doc = read_result_doc(chip_dir / "X-tessan.result.json");
  return result;
}

std::vector<std::string> failed_formats(const ResultDoc& doc) {
  std::vector<std::string> formats;
  for (const Hint& hint : doc.hints) {
    if (const auto* failed = std::get_if<SourceParseFailed>(&hint)) {
      formats.push_back(failed->format);
    }
  }
  return formats;
}

void expect_every_source_failed(const CheckRun& run) {
  EXPECT_EQ(run.exit_code, 3);
  ASSERT_TRUE(run.doc.ok()) << run.doc.error().chain();
  EXPECT_EQ(run.doc->status, Status::Unrecoverable);
  EXPECT_TRUE(run.doc->sources_compared.empty());
  EXPECT_EQ(run.doc->sources_missing,
            (std::vector<std::string>{"quarn", "kicad", "eagle", "altium"}));
  EXPECT_EQ(failed_formats(*run.doc),
            (std::vector<std::string>{"quarn", "kicad", "eagle", "altium"}));
}

TEST(CheckHostile, EverySourceDamagedGivesAnUnrecoverableDocument) {
  const TempDir dir;
  const fs::path chip = dir.path() / "X";
  dir.write("X/X-symbol.extracted.json", random_bytes(1, 4096));
  dir.write("X/X-footprint.extracted.json", "{}");
  dir.write("X/X.kicad_sym", "(kicad_symbol_lib \xFF\xFE)");
  dir.write("X/X.kicad_mod", "(footprint \"X\")");
  dir.write("X/X.lbr", laughs());
  dir.write("X/X.PcbLib", signed_noise());
  dir.write("X/X.SchLib", signed_noise());
  expect_every_source_failed(check(chip));
}

TEST(CheckHostile, SourcesThatAreFifosDoNotBlockTheRun) {
  const TempDir dir;
  const fs::path chip = dir.path() / "X";
  fs::create_directory(chip);
  for (const std::string& name : kSourceFiles) {
    ASSERT_EQ(mkfifo((chip / name).c_str(), 0600), 0) << name;
  }
  expect_every_source_failed(check(chip));
}

// A cached document that is a FIFO cannot be read: the run goes on and replaces it.
TEST(CheckHostile, ACachedDocumentThatIsAFifoIsReplaced) {
  const TempDir dir;
  const fs::path chip = dir.path() / "X";
  fs::create_directory(chip);
  ASSERT_EQ(mkfifo((chip / "X-tessan.result.json").c_str(), 0600), 0);
  const auto run = run_bounded([&] {
    return std::to_string(testing::run_tessan({"check", chip.string()}).exit_code);
  });
  ASSERT_TRUE(run.finished) << run.ending;
  EXPECT_EQ(run.report, "3");
  EXPECT_TRUE(fs::is_regular_file(chip / "X-tessan.result.json"));
  EXPECT_TRUE(read_result_doc(chip / "X-tessan.result.json").ok());
}

// Two sources disagreeing on every one of 400 pins, each name 4 KB long: each axis tells at most
// 100 conflicts, hints follow the conflicts, and the document stays small.
TEST(CheckHostile, ThousandsOfLongConflictsGiveABoundedDocument) {
  const TempDir dir;
  const std::string padding(4096, 'n');
  std::string pins;
  std::string kicad = "(kicad_symbol_lib (symbol \"X\"";
  for (int i = 1; i <= 400; ++i) {
    const std::string number = std::to_string(i);
    pins += std::string(i > 1 ? "," : "") + R"({"number":")" + number + R"(","name":"Q)" + number +
            padding + "\"}";
    kicad += " (pin input line (name \"K" + number + padding + "\") (number \"" + number + "\"))";
  }
  dir.write("X/X-symbol.extracted.json", R"({"pins":[)" + pins + "]}");
  dir.write("X/X.kicad_sym", kicad + "))");
  const CheckRun run = check(dir.path() / "X");
  EXPECT_EQ(run.exit_code, 2);
  ASSERT_TRUE(run.doc.ok()) << run.doc.error().chain();
  for (const AxisOutcome& axis : run.doc->axes) EXPECT_LE(axis.conflicts.size(), 100u);
  EXPECT_EQ(run.doc->axes[3].conflicts.back(), "\u2026 and 301 more");
  EXPECT_EQ(run.doc->hints.size(), 100u);
  EXPECT_LT(fs::file_size(dir.path() / "X" / "X-tessan.result.json"), 3u << 20);
}

// A footprint name that would start a line of its own, or write the terminal's clipboard, is
// shown with its control characters escaped.
TEST(CheckHostile, ControlCharactersInNamesCannotForgeConsoleLines) {
  const TempDir dir;
  dir.write("X/X-symbol.extracted.json", R"({"pins":[{"number":"1","name":"A"}]})");
  dir.write("X/X.kicad_mod",
            "(footprint \"F\nOK: X \u2014 GOLDEN\x1b]52;c;aGk=\x07\" (pad 1) (pad 2))");
  const auto process = testing::run_tessan({"check", "--force", (dir.path() / "X").string()});
  const std::string both = process.out + process.err;
  EXPECT_EQ(both.find('\x1b'), std::string::npos) << both;
  EXPECT_EQ(both.find("\nOK: X"), std::string::npos) << both;
  EXPECT_NE(process.out.find("footprint F\\nOK: X \u2014 GOLDEN\\x1b]52;c;aGk=\\x07"),
            std::string::npos)
      << process.out;
}

}  // namespace
}  // namespace tessan::hostile
