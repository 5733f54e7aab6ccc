#include <gtest/gtest.h>

#include <filesystem>

#include "cli/skill_document.hpp"
#include "support/test_support.hpp"

namespace tessan {
namespace {

namespace fs = std::filesystem;
using testing::run_tessan;
using testing::TempDir;

TEST(HealthProcess, PrintsTheReadinessLine) {
  const auto run = run_tessan({"health"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "OK: tessan 0.8.0 ready (parsers: quarn, kicad, eagle, altium)\n");
  EXPECT_EQ(run.err, "");
}

TEST(InstallProcess, WritesTheSkillAndReplacesItOnASecondRun) {
  TempDir home;
  const fs::path file = home.path() / ".claude" / "skills" / "brel-tessan" / "SKILL.md";
  const std::string ok_line = "OK: installed SKILL.md \u2192 " + file.string() + "\n";
  const auto first = run_tessan({"install"}, {"HOME=" + home.path().string()});
  EXPECT_EQ(first.exit_code, 0) << first.err;
  EXPECT_EQ(first.out, ok_line);
  EXPECT_EQ(testing::read_file(file), SKILL_DOCUMENT);

  testing::write_file(file, std::string(SKILL_DOCUMENT) + "local edits that must go away");
  const auto second = run_tessan({"install"}, {"HOME=" + home.path().string()});
  EXPECT_EQ(second.exit_code, 0) << second.err;
  EXPECT_EQ(second.out, ok_line);
  EXPECT_EQ(testing::read_file(file), SKILL_DOCUMENT);
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST(InstallProcess, HomeThatIsUnsetEmptyOrNotUnicodeIsNotSet) {
  TempDir cwd;
  for (const std::string& home :
       {std::string("HOME"), std::string("HOME="), std::string("HOME=/tmp/\xff")}) {
    const auto run = run_tessan({"install"}, {home}, cwd.path());
    EXPECT_EQ(run.exit_code, 1) << home;
    EXPECT_EQ(run.out, "") << home;
    EXPECT_EQ(run.err, "ERROR: HOME not set\n") << home;
  }
  EXPECT_TRUE(fs::is_empty(cwd.path()));
}

TEST(InstallProcess, FailuresGiveOneErrorLine) {
  TempDir tmp;
  const fs::path home_file = tmp.write("home-is-a-file", "x");
  const auto not_a_directory = run_tessan({"install"}, {"HOME=" + home_file.string()});
  EXPECT_EQ(not_a_directory.exit_code, 1);
  EXPECT_EQ(not_a_directory.err, "ERROR: creating skill dir: Not a directory\n");

  const fs::path home = tmp.path() / "home";
  tmp.write("home/.claude/skills/brel-tessan/SKILL.md/keep", "x");
  const auto occupied = run_tessan({"install"}, {"HOME=" + home.string()});
  EXPECT_EQ(occupied.exit_code, 1);
  EXPECT_EQ(occupied.err.rfind("ERROR: writing SKILL.md: ", 0), 0u) << occupied.err;
  EXPECT_EQ(std::count(occupied.err.begin(), occupied.err.end(), '\n'), 1);
  // The directory that was made stays; nothing else is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(home / ".claude/skills/brel-tessan"),
                          fs::directory_iterator()),
            1);
}

}  // namespace
}  // namespace tessan
