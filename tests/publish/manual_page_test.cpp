// The manual page renders without warnings and documents every command and option with the
// texts of the program's own help.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "help_listing.hpp"
#include "shell_command.hpp"

namespace tessan::testing {
namespace {

const std::filesystem::path kManualPage = std::filesystem::path(TESSAN_SOURCE_DIR) / "doc/tessan.1";

// Runs of white space as one space, so that texts can be found across line breaks.
std::string squeezed(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const bool space = c == ' ' || c == '\n' || c == '\t';
    if (space && (out.empty() || out.back() == ' ')) continue;
    out += space ? ' ' : c;
  }
  return out;
}

// The page as plain text on lines long enough that no sentence is broken.
std::string rendered_page() {
  const auto run =
      run_shell("groff -t -man -Tutf8 -rLL=400n -P-cbou " + shell_quote(kManualPage.string()));
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return squeezed(run.out);
}

TEST(ManualPage, RendersWithManWithoutWarnings) {
  if (!have_program("man")) GTEST_SKIP() << "man is not installed";
  const auto run = run_shell("MANPAGER=cat MANWIDTH=80 man --warnings=all -l " +
                             shell_quote(kManualPage.string()));
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("SYNOPSIS"), std::string::npos);
}

TEST(ManualPage, PassesGroffWithEveryWarningEnabled) {
  if (!have_program("groff")) GTEST_SKIP() << "groff is not installed";
  const auto run = run_shell("groff -t -ww -z -man -Tutf8 " + shell_quote(kManualPage.string()));
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
}

TEST(ManualPage, PassesMandocLint) {
  if (!have_program("mandoc")) GTEST_SKIP() << "mandoc is not installed";
  const auto run = run_shell("mandoc -T lint -W warning " + shell_quote(kManualPage.string()));
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
}

class ManualPageCommand : public ::testing::TestWithParam<std::string> {};

TEST_P(ManualPageCommand, CarriesTheHelpTextsAndOptionNames) {
  if (!have_program("groff")) GTEST_SKIP() << "groff is not installed";
  const std::string page = rendered_page();
  const HelpListing help = help_of(GetParam());
  ASSERT_FALSE(help.descriptions.empty());
  for (const auto& text : help.descriptions) {
    EXPECT_NE(page.find(text), std::string::npos) << "help text missing: " << text;
  }
  for (const auto& option : help.long_options) {
    EXPECT_NE(page.find(option), std::string::npos) << "option missing: " << option;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, ManualPageCommand,
                         ::testing::Values("", "check", "report", "inspect", "health", "install"),
                         [](const auto& info) {
                           return info.param.empty() ? std::string("program") : info.param;
                         });

}  // namespace
}  // namespace tessan::testing
