// The built tool's `report` on chip directories made in the test: its one line, its exit codes,
// and a page drawn from a fresh reading whatever the cache holds.
#include <gtest/gtest.h>

#include "cli/check/chip_builder.hpp"

namespace tessan::testing {
namespace {

std::filesystem::path page_path(const ChipDir& chip) {
  return chip.file("-tessan.report.html");
}

ChipDir divergent_chip(const TempDir& root) {
  auto swapped = lm358_pins();
  std::swap(swapped[3].name, swapped[7].name);
  ChipDir chip(root, "LM358DR");
  chip.quarn(lm358_pins(), numbered(1, 8), "SOIC-8")
      .kicad(swapped, numbered(1, 8), "SOIC-8_3.9x4.9mm_P1.27mm")
      .eagle(lm358_pins(), numbered(1, 8), "SOIC8");
  return chip;
}

TEST(ReportProcess, WritesThePageBesideTheSourcesAndPrintsOneLine) {
  TempDir root;
  const auto chip = divergent_chip(root);
  const auto run = run_tessan({"report", chip.path().string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "OK: LM358DR \u2014 review page written to " + page_path(chip).string() + "\n");
  EXPECT_EQ(run.err, "");
  EXPECT_NE(read_file(page_path(chip)).find(">divergent</span>"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(chip.result_path()));
}

TEST(ReportProcess, ReadsTheSourcesAfreshWhateverTheCacheSays) {
  TempDir root;
  const auto chip = divergent_chip(root);
  ASSERT_EQ(run_tessan({"check", chip.path().string()}).exit_code, 2);
  const std::string cached = read_file(chip.result_path());
  write_file(chip.file(".kicad_sym"), kicad_symbol_text(chip.mpn(), lm358_pins()));
  write_file(chip.result_path(), cached);  // newer than every source: check would answer from it
  ASSERT_EQ(run_tessan({"check", chip.path().string()}).exit_code, 2);
  ASSERT_EQ(run_tessan({"report", chip.path().string()}).exit_code, 0);
  EXPECT_NE(read_file(page_path(chip)).find(">golden</span>"), std::string::npos);
  EXPECT_EQ(read_file(chip.result_path()), cached);
}

TEST(ReportProcess, OneReadableSourceStillGivesAPage) {
  TempDir root;
  ChipDir chip(root, "LM358DR");
  chip.kicad(lm358_pins(), numbered(1, 8), "SOIC-8");
  const auto out = root.path() / "review.html";
  const auto run = run_tessan({"report", "--out", out.string(), chip.path().string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "OK: LM358DR \u2014 review page written to " + out.string() + "\n");
  const std::string page = read_file(out);
  EXPECT_NE(page.find(">unrecoverable</span>"), std::string::npos);
  EXPECT_NE(page.find("<span class=\"name\">OUT1</span>"), std::string::npos);
}

struct FailureCase {
  std::string name;
  std::vector<std::string> args;  // "{chip}" and "{root}" stand for the directories
  int exit_code;
  std::string err_start;
  int err_lines = 1;
};

class ReportFails : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ReportFails, WithTheExitCodeAndOneErrorLine) {
  TempDir root;
  const auto chip = divergent_chip(root);
  std::vector<std::string> args;
  for (std::string arg : GetParam().args) {
    if (arg == "{chip}") arg = chip.path().string();
    if (arg.rfind("{root}", 0) == 0) arg = root.path().string() + arg.substr(6);
    args.push_back(arg);
  }
  const auto run = run_tessan(args);
  EXPECT_EQ(run.exit_code, GetParam().exit_code);
  EXPECT_EQ(run.err.rfind(GetParam().err_start, 0), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), GetParam().err_lines) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(std::filesystem::exists(page_path(chip)));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ReportFails,
    ::testing::Values(
        FailureCase{"UnresolvableChipDir",
                    {"report", "{root}/absent"},
                    1,
                    "ERROR: chip dir: No such file or directory\n"},
        FailureCase{"UnwritablePage",
                    {"report", "{chip}", "--out", "{root}/no/such/page.html"},
                    1,
                    "ERROR: writing "},
        FailureCase{"UnsafeMpn", {"report", "{chip}", "--mpn", "../x"}, 2, "ERROR: invalid MPN"},
        FailureCase{"UsageError",
                    {"report", "{chip}", "--force"},
                    2,
                    "The following argument was not expected: --force\n",
                    2}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tessan::testing
