#include <gtest/gtest.h>

#include "cli/command_line.hpp"

namespace tessan {
namespace {

Cli parse(std::vector<std::string> args) {
  args.insert(args.begin(), "tessan");
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return parse_command_line(static_cast<int>(args.size()), argv.data());
}

TEST(CommandLine, CheckWithoutOptionsLeavesEveryOptionAbsent) {
  const Cli cli = parse({"check", "chips/M"});
  ASSERT_TRUE(std::holds_alternative<Check>(cli));
  const Check& check = std::get<Check>(cli);
  EXPECT_EQ(check.chip_dir, "chips/M");
  EXPECT_FALSE(check.quarn_symbol || check.quarn_footprint || check.kicad_sym || check.kicad_mod ||
               check.eagle || check.altium || check.mpn || check.out_dir);
  EXPECT_FALSE(check.json_only);
  EXPECT_FALSE(check.force);
}

TEST(CommandLine, CheckOptionsAreStoredAsTyped) {
  const Cli cli = parse({"check", "~/chips/M/", "--quarn-symbol", "s.json", "--quarn-footprint",
                         "f.json", "--kicad-sym=./a/../k.kicad_sym", "--kicad-mod", "k.kicad_mod",
                         "--eagle", "e.lbr", "--altium", "a.PcbLib", "--mpn", "M 2", "--out-dir",
                         "$HOME/out", "--json-only", "--force"});
  ASSERT_TRUE(std::holds_alternative<Check>(cli));
  const Check& check = std::get<Check>(cli);
  EXPECT_EQ(check.chip_dir, "~/chips/M/");
  EXPECT_EQ(check.quarn_symbol, "s.json");
  EXPECT_EQ(check.quarn_footprint, "f.json");
  EXPECT_EQ(check.kicad_sym, "./a/../k.kicad_sym");
  EXPECT_EQ(check.kicad_mod, "k.kicad_mod");
  EXPECT_EQ(check.eagle, "e.lbr");
  EXPECT_EQ(check.altium, "a.PcbLib");
  EXPECT_EQ(check.mpn, "M 2");
  EXPECT_EQ(check.out_dir, "$HOME/out");
  EXPECT_TRUE(check.json_only);
  EXPECT_TRUE(check.force);
}

TEST(CommandLine, ReportTakesTheSourceOptionsOfCheckAndAnOutputFile) {
  const Cli bare = parse({"report", "chips/M"});
  ASSERT_TRUE(std::holds_alternative<Report>(bare));
  EXPECT_EQ(std::get<Report>(bare).chip_dir, "chips/M");
  EXPECT_FALSE(std::get<Report>(bare).out || std::get<Report>(bare).mpn);

  const Cli cli = parse({"report", "chips/M", "--kicad-mod", "k.kicad_mod", "--eagle", "e.lbr",
                         "--quarn-symbol", "s.json", "--mpn", "M 2", "--out", "page.html"});
  ASSERT_TRUE(std::holds_alternative<Report>(cli));
  const Report& report = std::get<Report>(cli);
  EXPECT_EQ(report.kicad_mod, "k.kicad_mod");
  EXPECT_EQ(report.eagle, "e.lbr");
  EXPECT_EQ(report.quarn_symbol, "s.json");
  EXPECT_EQ(report.mpn, "M 2");
  EXPECT_EQ(report.out, "page.html");
}

TEST(CommandLine, OtherSubcommands) {
  const Cli inspect = parse({"inspect", "chips/M/"});
  ASSERT_TRUE(std::holds_alternative<Inspect>(inspect));
  EXPECT_EQ(std::get<Inspect>(inspect).chip_dir, "chips/M/");
  EXPECT_TRUE(std::holds_alternative<Health>(parse({"health"})));
  EXPECT_TRUE(std::holds_alternative<Install>(parse({"install"})));
}

}  // namespace
}  // namespace tessan
