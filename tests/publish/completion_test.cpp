// The bash completion script, run in a bash subprocess the way readline would call it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "help_listing.hpp"
#include "shell_command.hpp"

namespace tessan::testing {
namespace {

using Words = std::vector<std::string>;

const std::filesystem::path kScript =
    std::filesystem::path(TESSAN_SOURCE_DIR) / "completions" / "tessan";

// The candidates offered for the last of `words`, sorted, with the shell run in `cwd`.
Words complete(const Words& words, const std::filesystem::path& cwd = TESSAN_SOURCE_DIR) {
  std::string array;
  for (const auto& word : words) array += " " + shell_quote(word);
  const std::string script =
      "cd " + shell_quote(cwd.string()) + " && exec bash --norc --noprofile -c " +
      shell_quote("source " + shell_quote(kScript.string()) + " || exit 9\n" + "COMP_WORDS=(" +
                  array + ")\n" + "COMP_CWORD=" + std::to_string(words.size() - 1) + "\n" +
                  "COMP_LINE=\"${COMP_WORDS[*]}\"; COMP_POINT=${#COMP_LINE}\n" +
                  "_tessan tessan \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD-1]}\"\n" +
                  "printf '%s\\n' \"${COMPREPLY[@]}\"");
  const auto run = run_shell(script);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  Words candidates;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) candidates.push_back(line);
  }
  std::sort(candidates.begin(), candidates.end());
  return candidates;
}

class CompletionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!have_program("bash")) GTEST_SKIP() << "bash is not installed";
  }
};

struct CompletionCase {
  std::string name;
  Words words;
  Words expected;
};

class CompletesWords : public CompletionTest,
                       public ::testing::WithParamInterface<CompletionCase> {};

TEST_P(CompletesWords, OffersExactlyTheseCandidates) {
  EXPECT_EQ(complete(GetParam().words), GetParam().expected);
}

const Words kCheckOptions = {"--altium",    "--eagle",           "--force",       "--help",
                             "--json-only", "--kicad-mod",       "--kicad-sym",   "--mpn",
                             "--out-dir",   "--quarn-footprint", "--quarn-symbol"};

INSTANTIATE_TEST_SUITE_P(
    Words, CompletesWords,
    ::testing::Values(
        CompletionCase{
            "Subcommands", {"tessan", ""}, {"check", "health", "inspect", "install", "report"}},
        CompletionCase{"SubcommandPrefix", {"tessan", "in"}, {"inspect", "install"}},
        CompletionCase{"ProgramOptions", {"tessan", "--"}, {"--help", "--version"}},
        CompletionCase{"CheckOptions", {"tessan", "check", "--"}, kCheckOptions},
        CompletionCase{
            "CheckOptionPrefix", {"tessan", "check", "--k"}, {"--kicad-mod", "--kicad-sym"}},
        CompletionCase{"AfterAFlag", {"tessan", "check", "--force", "--j"}, {"--json-only"}},
        CompletionCase{"AfterAValue", {"tessan", "check", "--mpn", "X", "--o"}, {"--out-dir"}},
        CompletionCase{"NothingForTheMpn", {"tessan", "check", "--mpn", ""}, {}},
        CompletionCase{"ReportOptions",
                       {"tessan", "report", "--"},
                       {"--altium", "--eagle", "--help", "--kicad-mod", "--kicad-sym", "--mpn",
                        "--out", "--quarn-footprint", "--quarn-symbol"}},
        CompletionCase{"NothingForTheReportMpn", {"tessan", "report", "--mpn", ""}, {}},
        CompletionCase{"HealthTakesOnlyHelp", {"tessan", "health", "-"}, {"--help", "-h"}}),
    [](const auto& info) { return info.param.name; });

// A directory with a chip folder and library files of every kind, to complete paths in.
class CompletesPaths : public CompletionTest {
 protected:
  void SetUp() override {
    CompletionTest::SetUp();
    std::filesystem::create_directories(dir_.path() / "chips" / "LM358DR");
    for (const char* file : {"a.kicad_sym", "a.kicad_mod", "a.lbr", "a.PcbLib", "b.INTLIB",
                             "a.SchLib", "a-symbol.extracted.json", "notes.txt", "page.html"}) {
      dir_.write(file, "");
    }
  }
  Words complete_here(const Words& words) const { return complete(words, dir_.path()); }

  TempDir dir_;
};

TEST_F(CompletesPaths, ChipDirIsADirectory) {
  EXPECT_EQ(complete_here({"tessan", "check", ""}), Words{"chips"});
  EXPECT_EQ(complete_here({"tessan", "check", "chips/"}), Words{"chips/LM358DR"});
  EXPECT_EQ(complete_here({"tessan", "inspect", "ch"}), Words{"chips"});
}

TEST_F(CompletesPaths, OverridesOfferFilesOfTheirFormat) {
  EXPECT_EQ(complete_here({"tessan", "check", "--kicad-sym", ""}), (Words{"a.kicad_sym", "chips"}));
  EXPECT_EQ(complete_here({"tessan", "check", "--kicad-mod", ""}), (Words{"a.kicad_mod", "chips"}));
  EXPECT_EQ(complete_here({"tessan", "check", "--eagle", ""}), (Words{"a.lbr", "chips"}));
  EXPECT_EQ(complete_here({"tessan", "check", "--altium", ""}),
            (Words{"a.PcbLib", "b.INTLIB", "chips"}));
  EXPECT_EQ(complete_here({"tessan", "check", "--quarn-symbol", "a"}),
            Words{"a-symbol.extracted.json"});
  EXPECT_EQ(complete_here({"tessan", "check", "--out-dir", ""}), Words{"chips"});
  EXPECT_EQ(complete_here({"tessan", "report", "--eagle", ""}), (Words{"a.lbr", "chips"}));
  EXPECT_EQ(complete_here({"tessan", "report", "--out", ""}), (Words{"chips", "page.html"}));
  EXPECT_EQ(complete_here({"tessan", "report", "ch"}), Words{"chips"});
}

TEST_F(CompletesPaths, ValueAfterAnEqualsSign) {
  EXPECT_EQ(complete_here({"tessan", "check", "--eagle", "=", ""}), (Words{"a.lbr", "chips"}));
  EXPECT_EQ(complete_here({"tessan", "check", "--eagle", "="}), (Words{"a.lbr", "chips"}));
}

TEST_F(CompletionTest, OffersEveryOptionOfTheHelpAndRegistersForTessan) {
  for (const std::string command : {"check", "report"}) {
    Words from_help = help_of(command).long_options;
    std::sort(from_help.begin(), from_help.end());
    EXPECT_EQ(complete({"tessan", command, "--"}), from_help) << command;
  }

  const auto run =
      run_shell("bash --norc --noprofile -c " +
                shell_quote("source " + shell_quote(kScript.string()) + " && complete -p tessan"));
  EXPECT_EQ(run.out, "complete -F _tessan tessan\n") << run.err;
}

}  // namespace
}  // namespace tessan::testing
