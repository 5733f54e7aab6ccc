// The manual page, SKILL.md and the README say what the program does about statuses, exit
// codes and the schema's location.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sstream>
#include <string>

#include "result_doc.hpp"
#include "shell_command.hpp"
#include "support/test_support.hpp"

namespace tessan::testing {
namespace {

const std::filesystem::path kSource = TESSAN_SOURCE_DIR;

constexpr std::array kStatuses = {Status::Golden, Status::GoldenWithVariants, Status::Divergent,
                                  Status::Unrecoverable};

// The row of the manual page's EXIT STATUS table that starts with `code`.
std::string exit_status_row(const std::string& page, int code) {
  const auto section = page.find("EXIT STATUS");
  std::istringstream lines(page.substr(section == std::string::npos ? page.size() : section));
  const std::string prefix = std::to_string(code) + " ";
  for (std::string line; std::getline(lines, line);) {
    const auto text = line.find_first_not_of(' ');
    if (text != std::string::npos && line.compare(text, prefix.size(), prefix) == 0) return line;
  }
  return "";
}

TEST(Documentation, ManualPageExitStatusTableGivesEachStatusItsCode) {
  if (!have_program("groff")) GTEST_SKIP() << "groff is not installed";
  const auto page = run_shell("groff -t -man -Tutf8 -rLL=400n -P-cbou " +
                              shell_quote((kSource / "doc/tessan.1").string()))
                        .out;
  for (const Status status : kStatuses) {
    const std::string row = exit_status_row(page, status_exit_code(status));
    EXPECT_NE(row.find(std::string(status_text(status))), std::string::npos)
        << status_text(status) << " in: " << row;
  }
}

TEST(Documentation, SkillStatusLadderAndReadmeTableGiveEachStatusItsCode) {
  const std::string skill = read_file(kSource / "SKILL.md");
  const std::string readme = read_file(kSource / "README.md");
  for (const Status status : kStatuses) {
    const std::string code = std::to_string(status_exit_code(status));
    const std::string name = "`" + std::string(status_text(status)) + "`";
    EXPECT_NE(skill.find("| " + code + " | " + name + " |"), std::string::npos) << name;
    EXPECT_NE(readme.find("| " + name + " | " + code + " |"), std::string::npos) << name;
  }
}

// The text between `opening` and the end of the code block that follows it.
std::string code_block_after(const std::string& markdown, const std::string& opening) {
  const auto start = markdown.find(opening);
  if (start == std::string::npos) return "";
  const auto body = start + opening.size();
  return markdown.substr(body, markdown.find("```\n", body) - body);
}

TEST(Documentation, ReadmeShowsWhatTheDemoPrints) {
  const TempDir root;
  const auto chip = root.path() / "examples/DRV8837DSGR";
  std::filesystem::create_directories(chip.parent_path());
  std::filesystem::copy(kSource / "examples/DRV8837DSGR", chip);
  const auto check = run_tessan({"check", "--force", chip.string()});
  const auto inspect = run_tessan({"inspect", chip.string()});
  // As the demo calls it, from the source tree, with the page's path as typed.
  const auto report = run_tessan({"report", "examples/DRV8837DSGR", "--out",
                                  "examples/DRV8837DSGR/DRV8837DSGR-tessan.report.html"},
                                 {}, root.path());
  const std::string printed = check.out + check.err +
                              "exit code: " + std::to_string(check.exit_code) + "\n" + inspect.out +
                              inspect.err + report.out + report.err;
  EXPECT_EQ(code_block_after(read_file(kSource / "README.md"),
                             "`make demo` prints (after the build lines):\n\n```\n"),
            printed);
}

TEST(Documentation, ReadmeShowsTheReviewPageScreenshotThatTheMakefileTakes) {
  const std::string readme = read_file(kSource / "README.md");
  EXPECT_NE(readme.find("](doc/report-screenshot.png)"), std::string::npos);
  const std::string png = read_file(kSource / "doc/report-screenshot.png");
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_NE(read_file(kSource / "Makefile").find("doc/report-screenshot.png"), std::string::npos);
}

TEST(Documentation, SkillHandsADivergentChipToAPersonWithTheReviewPage) {
  const std::string skill = read_file(kSource / "SKILL.md");
  EXPECT_NE(skill.find("- `tessan report <CHIP_DIR> [--out <file>]`"), std::string::npos);
  EXPECT_NE(skill.find("Run `tessan report <CHIP_DIR>` first and hand over the page"),
            std::string::npos);
}

TEST(Documentation, EveryDocumentNamesTheSchemaAndItsInstalledPlace) {
  for (const char* file : {"SKILL.md", "README.md", "doc/tessan.1"}) {
    const std::string text = read_file(kSource / file);
    EXPECT_NE(text.find("schema/result.schema.json"), std::string::npos) << file;
    EXPECT_NE(text.find("share/tessan/result.schema.json"), std::string::npos) << file;
  }
}

}  // namespace
}  // namespace tessan::testing
