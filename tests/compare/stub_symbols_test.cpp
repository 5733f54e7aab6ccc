// Symbols whose pins carry no names: several that agree, one alone, and one beside named
// symbols that must not hide the named symbols' disagreement.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/compare_sources.hpp"
#include "report_reading.hpp"
#include "source_builder.hpp"

namespace tessan {
namespace {

using testing::source;
using testing::SourceBuilder;
using Texts = std::vector<std::string>;

const AxisOutcome& pin_names(const ComparisonReport& report) {
  return report.axes[3];
}

using testing::kinds;

SourceBuilder passive(std::string name, const std::string& second_name = "2") {
  SourceBuilder builder(std::move(name));
  builder.pin("1", "1", true).pin("2", second_name, second_name.empty() || second_name == "2");
  builder.numbered_pads(1, 2);
  return builder;
}

struct StubCase {
  std::string what;
  std::vector<SourceData> sources;
  Verdict verdict;
  std::uint8_t severity;
  std::size_t conflicts;
};

TEST(StubSymbols, OnlyStubSymbols) {
  const std::vector<StubCase> cases = {
      {"three agree pin by pin",
       {passive("kicad"), passive("eagle", ""), passive("altium")},
       Verdict::Agree,
       3,
       0},
      {"one alone",
       {passive("kicad"), source("eagle").numbered_pads(1, 2)},
       Verdict::SourceMissing,
       1,
       0},
      {"numbered differently",
       {passive("kicad"), source("eagle").pin("1", "1", true).pin("3", "3", true)},
       Verdict::Disagree,
       2,
       2},
  };
  for (const StubCase& c : cases) {
    const ComparisonReport report = compare_sources(c.sources);
    EXPECT_EQ(pin_names(report).verdict, c.verdict) << c.what;
    EXPECT_EQ(pin_names(report).severity, c.severity) << c.what;
    EXPECT_EQ(pin_names(report).conflicts.size(), c.conflicts) << c.what;
  }
}

TEST(StubSymbols, ThreeAgreeingPassivesAreGolden) {
  const ComparisonReport report =
      compare_sources({passive("kicad"), passive("eagle", ""), passive("altium")});
  EXPECT_EQ(report.overall, Verdict::Agree);
  EXPECT_TRUE(report.variants.empty());
}

SourceBuilder atmega_like(std::string name, const std::string& pin15, const std::string& pin16) {
  SourceBuilder builder(std::move(name));
  builder.pin("14", "PB2").pin("15", pin15).pin("16", pin16).pin("17", "PB5");
  return builder;
}

TEST(StubSymbols, AStubDoesNotHideTheNamedSymbolsDisagreement) {
  SourceBuilder stub("kicad");
  stub.stub_pins(14, 17);
  const ComparisonReport report = compare_sources(
      {stub, atmega_like("eagle", "PB4", "PB3"), atmega_like("altium", "PB3", "PB4")});
  EXPECT_TRUE(report.variants.empty()) << ::testing::PrintToString(kinds(report));
  EXPECT_EQ(pin_names(report).verdict, Verdict::Disagree);
}

TEST(StubSymbols, AStubBesideAcceptedRenamesExplainsItsOwnLine) {
  SourceBuilder stub("kicad");
  stub.stub_pins(14, 17);
  const ComparisonReport report = compare_sources(
      {stub, atmega_like("eagle", "PB3", "PB4"), atmega_like("altium", "PB3/MOSI", "PB4/MISO")});
  EXPECT_EQ(kinds(report), (Texts{"stub_symbol_pin_names", "naming_convention_mismatch"}));
}

}  // namespace
}  // namespace tessan
