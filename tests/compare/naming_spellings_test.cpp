// The spellings real libraries use for one pin, and the differences that stay real: signs,
// alternatives, active-low marks, ground classes, serial-port instances, no-connect pins.
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

using testing::uncovered;

const NamingConventionMismatch* naming_variant(const ComparisonReport& report) {
  for (const Variant& v : report.variants) {
    if (const auto* naming = std::get_if<NamingConventionMismatch>(&v)) return naming;
  }
  return nullptr;
}

SourceBuilder chip(std::string name, const std::vector<std::string>& pin_names) {
  SourceBuilder builder(std::move(name));
  builder.named_pins(pin_names);
  return builder;
}

struct SpellingCase {
  std::vector<std::string> kicad;
  std::vector<std::string> altium;
  bool explained;
};

void PrintTo(const SpellingCase& c, std::ostream* os) {
  *os << ::testing::PrintToString(c.kicad) << " / " << ::testing::PrintToString(c.altium);
}

class Spellings : public ::testing::TestWithParam<SpellingCase> {};

TEST_P(Spellings, ExplainOnlyOnePinWrittenTwoWays) {
  const ComparisonReport report =
      compare_sources({chip("kicad", GetParam().kicad), chip("altium", GetParam().altium)});
  EXPECT_EQ(naming_variant(report) != nullptr, GetParam().explained);
  EXPECT_EQ(uncovered(report).empty(), GetParam().explained);
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, Spellings,
    ::testing::Values(
        SpellingCase{{"GPIO5/MTDI", "GPIO9", "TXD0"}, {"MTDI", "IO9", "TXD"}, true},
        SpellingCase{
            {"INNA", "INPB", "+IN", "-VS", "+VS"}, {"INA-", "INB+", "IN+", "VS-", "VCC"}, true},
        SpellingCase{{"IN", "OUT", "CLKP"}, {"VIN", "OUTPUT", "CLK+"}, true},
        SpellingCase{{"GND", "DGND", "EP", "THERM"}, {"AGND", "VSS", "PGND", "EXPOSED"}, true},
        SpellingCase{{"SCS_N", "FAULT_N", "*CS", "CS_GAIN__AZ"},
                     {"NSCS", "NFAULT", "CS#", "CS_GAIN_AZ"},
                     true},
        SpellingCase{{"~{RST}", "!EN", "NC1"}, {"nRST", "~{EN}", "N.C."}, true}));

INSTANTIATE_TEST_SUITE_P(Refused, Spellings,
                         ::testing::Values(
                             // Opposite signs or polarity letters on one pin.
                             SpellingCase{{"INA-"}, {"INA+"}, false},
                             SpellingCase{{"UD+"}, {"UD-"}, false},
                             SpellingCase{{"D+"}, {"DN"}, false},
                             SpellingCase{{"-VS"}, {"+VS"}, false},
                             // Another serial port.
                             SpellingCase{{"TXD0"}, {"TXD1"}, false},
                             // An alternative that names another pin of the part.
                             SpellingCase{{"PD0", "PD1"}, {"PD1/PD0", "PD1"}, false},
                             // A bar moved from one pin to another.
                             SpellingCase{{"~{RST}", "EN"}, {"RST", "~{EN}"}, false},
                             // A ground-class name moved to another pin.
                             SpellingCase{{"GND", "GND", "AGND"}, {"GND", "AGND", "GND"}, false},
                             SpellingCase{{"SDA"}, {"SCL"}, false},
                             // A no-connect pin renamed to a signal.
                             SpellingCase{{"NC", "A"}, {"SDA", "A"}, false}));

TEST(Spellings, AltiumOverbarsKeepTwoPinsApart) {
  const ComparisonReport report = compare_sources({
      chip("kicad", {"~{SUSPEND}", "SUSPEND"}).numbered_pads(1, 2),
      chip("altium", {"~{SUSPEND}", "SUSPEND"}).numbered_pads(1, 2),
  });
  EXPECT_EQ(report.overall, Verdict::Agree);
}

// ---- No-connect pins that one symbol draws ----

TEST(NoConnectPins, DrawnByOneSymbolOnlyAreExamplesAndExplainThePinCount) {
  const ComparisonReport report = compare_sources({
      chip("kicad", {"A", "B", "C", "D", "NC", "RESERVED"}),
      chip("eagle", {"A", "B", "C", "D"}),
      chip("altium", {"A", "B", "C", "D", "NC"}),
  });
  const auto* naming = naming_variant(report);
  ASSERT_NE(naming, nullptr);
  EXPECT_EQ(naming->examples, (Texts{"pin 5: kicad=NC \u2194 eagle=(not drawn)",
                                     "pin 6: kicad=RESERVED \u2194 eagle=(not drawn)"}));
  EXPECT_TRUE(uncovered(report).empty()) << ::testing::PrintToString(uncovered(report));
}

TEST(NoConnectPins, RenamesComeFirstAndLeaveRoomForAnUndrawnPin) {
  const ComparisonReport report = compare_sources({
      chip("kicad", {"VDD", "VSS", "TX", "RX", "NRST", "DNC"}),
      chip("altium", {"VCC", "GND", "TXD", "RXD", "RESET"}),
  });
  const auto* naming = naming_variant(report);
  ASSERT_NE(naming, nullptr);
  ASSERT_EQ(naming->examples.size(), 4u);
  EXPECT_EQ(naming->examples.back(), "pin 6: kicad=DNC \u2194 altium=(not drawn)");
  EXPECT_TRUE(uncovered(report).empty());
}

TEST(NoConnectPins, AnyOtherMissingPinLeavesThePinCountUncovered) {
  const ComparisonReport report = compare_sources({
      chip("kicad", {"A", "B", "NC", "SDA"}),
      chip("altium", {"A", "B"}),
  });
  EXPECT_EQ(naming_variant(report), nullptr);
  EXPECT_EQ(uncovered(report), (Texts{"symbol_pin_count", "pin_names"}));
}

TEST(NoConnectPins, AStubSymbolIsOneOfTheSymbolsThatLeaveThemOut) {
  SourceBuilder stub("kicad");
  stub.stub_pins(1, 4);
  const ComparisonReport report = compare_sources({
      stub,
      chip("eagle", {"A", "B", "C", "D", "NC"}),
      chip("altium", {"A", "B", "C", "D", "NC"}),
  });
  EXPECT_TRUE(uncovered(report).empty()) << ::testing::PrintToString(uncovered(report));
}

TEST(NoConnectPins, APadVariantSetsThemAside) {
  const ComparisonReport report = compare_sources({
      chip("kicad", {"A", "B", "C", "GND", "NC"}).numbered_pads(1, 5).pads({"EP"}),
      chip("altium", {"A", "B", "C", "GND"}).numbered_pads(1, 5),
  });
  EXPECT_TRUE(uncovered(report).empty()) << ::testing::PrintToString(uncovered(report));
}

}  // namespace
}  // namespace tessan
