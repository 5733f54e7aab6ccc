#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "support/test_support.hpp"

namespace tessan {
namespace {

using testing::run_tessan;

// Asserts that `needles` occur in `text` in this order.
void expect_in_order(const std::string& text, const std::vector<std::string>& needles) {
  std::size_t from = 0;
  for (const auto& needle : needles) {
    const auto at = text.find(needle, from);
    ASSERT_NE(at, std::string::npos) << "missing or out of order: " << needle << "\n" << text;
    from = at + needle.size();
  }
}

TEST(CommandLineProcess, VersionPrintsTheVersionAndSucceeds) {
  const auto run = run_tessan({"--version"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "0.8.0\n");
  EXPECT_EQ(run.err, "");
}

TEST(CommandLineProcess, HelpListsTheSubcommandsInOrder) {
  const auto run = run_tessan({"--help"});
  EXPECT_EQ(run.exit_code, 0);
  expect_in_order(
      run.out,
      {"Cross-source consensus check for chip libraries", "brel-tessan", "--version", "check",
       "Compare quarn-extracted symbol+footprint against harvo's libraries", "inspect",
       "Print a one-screen summary of an existing tessan.result.json", "health",
       "Probe parser dependencies", "install", "Drop SKILL.md to ~/.claude/skills/brel-tessan/"});
}

TEST(CommandLineProcess, CheckHelpListsEveryOptionWithValueNameAndText) {
  const auto run = run_tessan({"check", "--help"});
  EXPECT_EQ(run.exit_code, 0);
  expect_in_order(run.out, {
                               "CHIP_DIR",
                               "--quarn-symbol QUARN_SYMBOL",
                               "Override auto-detected quarn symbol JSON",
                               "--quarn-footprint QUARN_FOOTPRINT",
                               "Override auto-detected quarn footprint JSON",
                               "--kicad-sym KICAD_SYM",
                               "Override auto-detected `<MPN>.kicad_sym`",
                               "--kicad-mod KICAD_MOD",
                               "Override auto-detected `<MPN>.kicad_mod`",
                               "--eagle EAGLE",
                               "Override auto-detected `<MPN>.lbr` (Fusion 360 EAGLE)",
                               "--altium ALTIUM",
                               "Override auto-detected `<MPN>.PcbLib` (Altium binary footprint)",
                               "--mpn MPN",
                               "Override the MPN (defaults to chip-dir basename)",
                               "--out-dir OUT_DIR",
                               "Output directory for `<MPN>-tessan.result.json`. Default: chip-dir",
                               "--json-only",
                               "Suppress progress; only `OK:`/`ERROR:` lines",
                               "--force",
                               "Bypass the cache and re-run",
                           });
  // Only the parser's own help flag has a short form.
  EXPECT_EQ(run.out.find(" -q"), std::string::npos);
  EXPECT_EQ(run.out.find(" -f"), std::string::npos);
  EXPECT_EQ(run.out.find(" -m"), std::string::npos);
}

TEST(CommandLineProcess, InspectHelpNamesTheChipDirectory) {
  const auto run = run_tessan({"inspect", "--help"});
  EXPECT_EQ(run.exit_code, 0);
  expect_in_order(run.out, {"Print a one-screen summary", "CHIP_DIR"});
}

TEST(CommandLineProcess, NoArgumentsPrintsHelpAsAUsageError) {
  const auto run = run_tessan({});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.out, "");
  expect_in_order(run.err, {"Cross-source consensus check for chip libraries", "check", "inspect",
                            "health", "install"});
}

TEST(CommandLineProcess, UsageErrorsExitWithTwoAndAMessage) {
  struct Row {
    std::vector<std::string> args;
    std::string_view message;
  };
  const Row rows[] = {
      {{"check"}, "chip_dir is required"},
      {{"inspect"}, "chip_dir is required"},
      {{"check", "a", "--nope"}, "--nope"},
      {{"check", "a", "-f"}, "-f"},
      {{"check", "a", "b"}, "b"},
      {{"check", "a", "--mpn"}, "--mpn"},
      {{"check", "a", "--mpn", "x", "--mpn", "y"}, ""},
      {{"health", "extra"}, "extra"},
      {{"install", "--force"}, "--force"},
      {{"inspect", "a", "--json-only"}, "--json-only"},
  };
  for (const auto& row : rows) {
    const auto run = run_tessan(row.args);
    const std::string call = ::testing::PrintToString(row.args);
    EXPECT_EQ(run.exit_code, 2) << call << "\n" << run.out << run.err;
    EXPECT_NE(run.err.find(row.message), std::string::npos) << call << "\n" << run.err;
    EXPECT_NE(run.err.find("Run with --help for more information."), std::string::npos) << call;
    EXPECT_EQ(run.err.find("terminate"), std::string::npos) << call;
  }
}

TEST(CommandLineProcess, AnUnknownCommandIsNamedAndTheCommandsListed) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"bogus"}, {"bogus", "check"}, {"--version-x", "bogus"}}) {
    const auto run = run_tessan(args);
    EXPECT_EQ(run.exit_code, 2) << run.err;
    EXPECT_EQ(run.out, "");
    // The listing comes from the parser's own commands, so every command is there.
    EXPECT_EQ(run.err.rfind(
                  "unknown command \"bogus\"; the commands are: check, report, inspect, health, "
                  "install",
                  0),
              0u)
        << run.err;
    EXPECT_NE(run.err.find("Run with --help for more information."), std::string::npos);
  }
}

// Runs the tool with standard output on a full device; returns the exit code and stderr.
testing::ProcessResult run_into_full_device(const std::string& arguments) {
  const std::string command =
      "'" + testing::tessan_binary().string() + "' " + arguments + " 2>&1 >/dev/full";
  testing::ProcessResult result;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
    result.err.append(buffer, n);
  const int status = ::pclose(pipe);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(CommandLineProcess, EveryCommandFailsWhenItsStandardOutputCannotBeWritten) {
  testing::TempDir tmp;
  const auto chip = tmp.path() / "M";
  std::filesystem::create_directories(chip);
  testing::write_file(chip / "M.kicad_mod", "(footprint \"F\" (pad \"1\" smd rect))\n");
  testing::write_file(chip / "M.lbr", "<eagle");
  const std::string chip_dir = "'" + chip.string() + "'";
  // check writes its document (exit 3 on its own: one source), inspect then reads it.
  const std::vector<std::string> commands = {"health", "check --force " + chip_dir,
                                             "inspect " + chip_dir};
  for (const std::string& arguments : commands) {
    const auto run = run_into_full_device(arguments);
    EXPECT_EQ(run.exit_code, 1) << arguments << "\n" << run.err;
    EXPECT_NE(run.err.find("ERROR: writing standard output: No space left on device\n"),
              std::string::npos)
        << arguments << "\n"
        << run.err;
  }
}

}  // namespace
}  // namespace tessan
