// The benign-difference rules on hand-built sources: what each rule accepts, and the broken
// libraries (swapped, shifted, renamed, removed pins and pads) that must stay unexplained.
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

using testing::kinds;

using testing::uncovered;

template <class T>
const T* find_variant(const ComparisonReport& report) {
  for (const Variant& v : report.variants) {
    if (const T* found = std::get_if<T>(&v)) return found;
  }
  return nullptr;
}

// Pins numbered 1.. with these names.
SourceBuilder chip(std::string name, const std::vector<std::string>& pin_names) {
  SourceBuilder builder(std::move(name));
  builder.named_pins(pin_names);
  return builder;
}

// An SOIC-8 flash chip's pinout.
const std::vector<std::string> kFlash = {"/CS",      "DO (IO1)", "/WP (IO2)",   "GND",
                                         "DI (IO0)", "CLK",      "/HOLD (IO3)", "VCC"};

// ---- Exposed pad ----

TEST(ExposedPad, SegmentsOfOnePadAgainstRepeatedLabels) {
  const ComparisonReport report = compare_sources({
      source("kicad").numbered_pads(1, 8).pads({"9", "9", "9", "9"}),
      source("altium").numbered_pads(1, 8).pads({"9_1", "9_2", "9_3", "9_4"}),
  });
  const auto* ep = find_variant<ExposedPadVariant>(report);
  ASSERT_NE(ep, nullptr) << ::testing::PrintToString(kinds(report.variants));
  EXPECT_EQ(ep->sources_with_ep, (Texts{"kicad", "altium"}));
  EXPECT_TRUE(ep->sources_without_ep.empty());
  EXPECT_TRUE(uncovered(report).empty());
}

TEST(ExposedPad, NumberedInOneLibraryAndNamedInAnother) {
  const ComparisonReport report = compare_sources({
      source("kicad").numbered_pads(1, 9),
      source("eagle").numbered_pads(1, 8).pads({"EP"}),
  });
  const auto* ep = find_variant<ExposedPadVariant>(report);
  ASSERT_NE(ep, nullptr);
  EXPECT_EQ(ep->sources_with_ep, (Texts{"kicad", "eagle"}));
  EXPECT_TRUE(uncovered(report).empty());
}

TEST(ExposedPad, BlankPasteAndViaPadsMarkTheSourceThatDrawsThem) {
  const ComparisonReport report = compare_sources({
      source("kicad").numbered_pads(1, 8).pads({"", " ", ""}),
      source("eagle").numbered_pads(1, 8),
  });
  const auto* ep = find_variant<ExposedPadVariant>(report);
  ASSERT_NE(ep, nullptr);
  EXPECT_EQ(ep->sources_with_ep, (Texts{"kicad"}));
  EXPECT_EQ(ep->sources_without_ep, (Texts{"eagle"}));
}

TEST(ExposedPad, CopiesOfOneExtraLabelSpreadTheCounts) {
  const ComparisonReport report = compare_sources({
      source("quarn").numbered_pads(1, 8),
      source("kicad").numbered_pads(1, 9),
      source("eagle").numbered_pads(1, 9).pads({"9"}),
  });
  const auto* ep = find_variant<ExposedPadVariant>(report);
  ASSERT_NE(ep, nullptr);
  EXPECT_EQ(ep->sources_with_ep, (Texts{"kicad", "eagle"}));
  EXPECT_EQ(ep->sources_without_ep, (Texts{"quarn"}));
}

struct ExtraPinCase {
  std::string name_on_extra_pad;
  bool explained;
};

void PrintTo(const ExtraPinCase& c, std::ostream* os) {
  *os << c.name_on_extra_pad;
}

class PinOnTheExtraPad : public ::testing::TestWithParam<ExtraPinCase> {};

TEST_P(PinOnTheExtraPad, MustBeGroundLike) {
  const ComparisonReport report = compare_sources({
      chip("kicad", {"A", "B", "C", "VSS"}).numbered_pads(1, 4),
      chip("eagle", {"A", "B", "C", "VSS", GetParam().name_on_extra_pad}).numbered_pads(1, 5),
  });
  EXPECT_EQ(find_variant<ExposedPadVariant>(report) != nullptr, GetParam().explained);
  EXPECT_EQ(uncovered(report).empty(), GetParam().explained);
}

INSTANTIATE_TEST_SUITE_P(Names, PinOnTheExtraPad,
                         ::testing::Values(ExtraPinCase{"EP", true},
                                           ExtraPinCase{"THERMAL_PAD", true},
                                           ExtraPinCase{"GND", true}, ExtraPinCase{"VSS", true},
                                           ExtraPinCase{"SDA", false}, ExtraPinCase{"VCC", false}));

TEST(ExposedPad, AMissingPadInsideTheNumberingIsNotAnExposedPad) {
  const ComparisonReport report = compare_sources({
      source("kicad").numbered_pads(1, 7).pads({"9"}),
      source("eagle").numbered_pads(1, 8),
  });
  EXPECT_TRUE(report.variants.empty()) << ::testing::PrintToString(kinds(report.variants));
  EXPECT_EQ(uncovered(report), (Texts{"pad_numbers"}));
}

TEST(ExposedPad, ARemovedPinAndPadInsideTheNumberingStaysDivergent) {
  std::vector<std::string> names;
  for (int n = 1; n <= 32; ++n) names.push_back("P" + std::to_string(n));
  SourceBuilder shortened("kicad");
  for (int n = 1; n <= 32; ++n) {
    if (n != 20) shortened.pin(std::to_string(n), names[n - 1]).pads({std::to_string(n)});
  }
  const ComparisonReport report =
      compare_sources({shortened, chip("eagle", names).numbered_pads(1, 32),
                       chip("altium", names).numbered_pads(1, 32)});
  EXPECT_EQ(find_variant<ExposedPadVariant>(report), nullptr);
  EXPECT_EQ(uncovered(report),
            (Texts{"pad_count", "pad_numbers", "symbol_pin_count", "pin_names"}));
}

TEST(ExposedPad, TheLastSignalPadRemovedStaysDivergent) {
  std::vector<std::string> seven(kFlash.begin(), kFlash.end() - 1);
  const ComparisonReport report = compare_sources({
      chip("eagle", seven).numbered_pads(1, 7).package("SOIC8"),
      chip("altium", kFlash).numbered_pads(1, 8).package("SOIC-8"),
  });
  EXPECT_EQ(find_variant<ExposedPadVariant>(report), nullptr);
  EXPECT_FALSE(uncovered(report).empty());
}

TEST(ExposedPad, SwappedPinsBesideAnExposedPadStayDivergent) {
  const ComparisonReport report = compare_sources({
      chip("kicad", {"PROG", "TEMP", "GND", "VCC"}),
      chip("eagle", {"TEMP", "PROG", "GND", "VCC", "EP"}).numbered_pads(1, 5),
      chip("altium", {"TEMP", "PROG", "GND", "VCC"}).numbered_pads(1, 4),
  });
  EXPECT_EQ(find_variant<ExposedPadVariant>(report), nullptr);
  EXPECT_EQ(uncovered(report),
            (Texts{"pad_count", "pad_numbers", "symbol_pin_count", "pin_names", "pin_to_pad_map"}));
}

TEST(ExposedPad, ShiftedNamesBesideAnExposedPadStayDivergent) {
  const ComparisonReport report = compare_sources({
      chip("kicad", {"VCC", "TEMP", "PROG", "GND"}),
      chip("eagle", {"TEMP", "PROG", "GND", "VCC", "EP"}).numbered_pads(1, 5),
      chip("altium", {"TEMP", "PROG", "GND", "VCC"}).numbered_pads(1, 4),
  });
  EXPECT_EQ(find_variant<ExposedPadVariant>(report), nullptr);
}

TEST(ExposedPad, PinsMustNumberTheSamePadsInEverySymbol) {
  const ComparisonReport report = compare_sources({
      chip("kicad", {"A", "B", "C"}).numbered_pads(1, 4),
      chip("eagle", {"A", "B", "C", "D"}).numbered_pads(1, 5),
  });
  EXPECT_EQ(find_variant<ExposedPadVariant>(report), nullptr);
}

TEST(ExposedPad, AnExposedPadClashingWithASignalNumberIsNotExplained) {
  SourceBuilder clash("kicad");
  clash.numbered_pads(1, 48).pads({"48", "48", "48"}).numbered_pads(50, 53);
  SourceBuilder segments("altium");
  segments.numbered_pads(1, 48).pads({"49_1", "49_2", "49_3"}).numbered_pads(50, 53);
  const ComparisonReport report = compare_sources({clash, segments});
  EXPECT_EQ(find_variant<ExposedPadVariant>(report), nullptr);
  EXPECT_EQ(uncovered(report), (Texts{"pad_numbers"}));
}

// ---- Module extra pads ----

SourceBuilder module_footprint(std::string name) {
  SourceBuilder builder(std::move(name));
  builder.numbered_pads(1, 38).package("ESP32-WROVER-E");
  return builder;
}

TEST(ModuleExtras, ThermalViasNumberedPastTheModulePads) {
  const ComparisonReport report = compare_sources({
      module_footprint("kicad").pads({"39", "39", "39"}),
      module_footprint("altium").pads({"39_1", "39_2", "39_3"}).numbered_pads(40, 51),
  });
  const auto* extras = find_variant<ModuleExtraPads>(report);
  ASSERT_NE(extras, nullptr) << ::testing::PrintToString(kinds(report.variants));
  EXPECT_EQ(extras->sources_with_extras, (Texts{"altium"}));
  EXPECT_EQ(extras->sources_without_extras, (Texts{"kicad"}));
  EXPECT_EQ(extras->extra_count, 12u);
  EXPECT_TRUE(uncovered(report).empty());
}

TEST(ModuleExtras, SegmentsOnlyAreAnExposedPadNotExtras) {
  const ComparisonReport report = compare_sources({
      module_footprint("kicad").pads({"39", "39", "39"}),
      module_footprint("altium").pads({"39_1", "39_2", "39_3", "39_4", "39_5", "39_6"}),
  });
  EXPECT_EQ(kinds(report.variants), (Texts{"exposed_pad_variant"}));
}

TEST(ModuleExtras, AMissingModulePadIsNotAnExtra) {
  SourceBuilder gap("kicad");
  gap.numbered_pads(1, 9).numbered_pads(11, 38).package("ESP32-WROVER-E");
  const ComparisonReport report =
      compare_sources({gap, module_footprint("altium").numbered_pads(39, 45)});
  EXPECT_TRUE(report.variants.empty()) << ::testing::PrintToString(kinds(report.variants));
}

TEST(ModuleExtras, ExtraPadsCarryingPinsAreNotExtras) {
  const ComparisonReport report = compare_sources({
      module_footprint("kicad"),
      module_footprint("altium").numbered_pads(39, 41).pin("40", "IO40").pin("41", "IO41"),
  });
  EXPECT_EQ(find_variant<ModuleExtraPads>(report), nullptr);
}

TEST(ModuleExtras, TheModuleMustHaveNoPadTheOthersLack) {
  const ComparisonReport report = compare_sources({
      module_footprint("kicad").pads({"EP"}),
      module_footprint("altium").numbered_pads(39, 45),
  });
  EXPECT_EQ(find_variant<ModuleExtraPads>(report), nullptr);
}

// ---- Label only ----

TEST(LabelOnly, RefusedAcrossBodyStyles) {
  const ComparisonReport report = compare_sources({
      source("kicad").numbered_pads(1, 32).package("QFN-32"),
      source("eagle").numbered_pads(1, 32).package("TQFP-32"),
  });
  EXPECT_EQ(find_variant<LabelOnlyMismatch>(report), nullptr);
  EXPECT_EQ(uncovered(report), (Texts{"package_family"}));
}

TEST(LabelOnly, RefusedForALeadlessBodyWithAnExposedPad) {
  const ComparisonReport report = compare_sources({
      source("kicad").numbered_pads(1, 49).package("QFN-48"),
      source("eagle").numbered_pads(1, 48).package("QFP50P900X900X160-48N"),
      source("altium").numbered_pads(1, 48).package("STM32F103C8T6"),
  });
  EXPECT_EQ(kinds(report.variants), (Texts{"exposed_pad_variant"}));
  EXPECT_EQ(uncovered(report), (Texts{"package_family"}));
}

TEST(LabelOnly, AnUnclassifiedNameSitsWithAnyFamily) {
  const ComparisonReport report = compare_sources({
      source("eagle").numbered_pads(1, 16).package("SOIC16"),
      source("altium").numbered_pads(1, 16).package("CH340G"),
  });
  EXPECT_EQ(kinds(report.variants), (Texts{"label_only_mismatch"}));
}

// ---- Naming convention ----

struct NamingCase {
  std::vector<std::string> reference;
  std::vector<std::string> other;
  bool explained;
};

void PrintTo(const NamingCase& c, std::ostream* os) {
  *os << ::testing::PrintToString(c.reference) << " / " << ::testing::PrintToString(c.other);
}

class NamingRules : public ::testing::TestWithParam<NamingCase> {};

TEST_P(NamingRules, ExplainOnlyTheSamePinWrittenTwoWays) {
  const ComparisonReport report =
      compare_sources({chip("eagle", GetParam().reference), chip("altium", GetParam().other)});
  EXPECT_EQ(find_variant<NamingConventionMismatch>(report) != nullptr, GetParam().explained);
  EXPECT_EQ(uncovered(report).empty(), GetParam().explained);
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, NamingRules,
    ::testing::Values(
        NamingCase{{"PB3", "PD0", "PC6/~{RESET}"}, {"PB3/MOSI", "RXD/PD0", "PC6/RESET"}, true},
        NamingCase{{"TX", "RX", "D+", "D-"}, {"TXD", "RXD", "UD+", "UD-"}, true},
        NamingCase{kFlash,
                   {"CS", "MISO/IO1", "WP/IO2", "GND", "MOSI/IO0", "SCK", "HOLD/RESET/IO3", "VDD"},
                   true},
        NamingCase{
            {"PC13-TAMPER-RTC", "PD0_OSC_IN", "PD1_OSC_OUT"}, {"PC13", "OSC_IN", "OSC_OUT"}, true},
        NamingCase{{"A1", "VDDA"}, {"A1_B2", "AVDD"}, true}));

INSTANTIATE_TEST_SUITE_P(
    Refused, NamingRules,
    ::testing::Values(
        // Swapped pins, also where a single pin would pass a naming test.
        NamingCase{{"PA2", "PA3"}, {"PA3", "PA2"}, false},
        NamingCase{{"TX", "RX"}, {"RXD", "TXD"}, false},
        NamingCase{{"UD+", "UD-"}, {"UD-", "UD+"}, false},
        NamingCase{{"IN1+", "IN1-"}, {"IN1-", "IN1+"}, false},
        NamingCase{{"VCC", "GND", "VCC", "VDD"}, {"VDD", "GND", "VDD", "VCC"}, false},
        NamingCase{{"VDDA", "VSSA"}, {"VSSA", "VDDA"}, false},
        // Shifted by one pin.
        NamingCase{{"PA0", "PA1", "PA2", "PA3"}, {"PA3", "PA0", "PA1", "PA2"}, false},
        // A different part's names.
        NamingCase{{"SDA", "SCL"}, {"SCL", "SDA"}, false},
        NamingCase{{"V3", "XI", "XO"}, {"V3", "NC", "NC"}, false},
        NamingCase{{"DO (IO1)", "DI (IO0)"}, {"MOSI/IO0", "MISO/IO1"}, false},
        // A power name beside more: a different pin.
        NamingCase{{"VDD"}, {"VDD_SENSE"}, false},
        // Components that identify nothing.
        NamingCase{{"PA0"}, {"PA0_X"}, false}, NamingCase{{"~"}, {"SDA"}, false}));

TEST(NamingRules, EqualPinCountsHidingARenumberedPinAreNotANamingDifference) {
  const ComparisonReport report = compare_sources({
      source("kicad").pin("1", "PB3").pin("2", "PB4").pin("20", "AREF"),
      source("eagle").pin("1", "PB3").pin("2", "PB4").pin("20", "AREF"),
      source("altium").pin("1", "PB3_MOSI").pin("2", "PB4").pin("33", "AREF"),
  });
  EXPECT_EQ(find_variant<NamingConventionMismatch>(report), nullptr);
  EXPECT_EQ(uncovered(report), (Texts{"pin_names", "pin_to_pad_map"}));
}

TEST(NamingRules, DifferentPinCountsLeaveMissingPinsToTheOtherAxes) {
  const ComparisonReport report = compare_sources({
      source("kicad").pin("1", "PB3").pin("2", "PB4").pin("20", "AREF"),
      source("altium").pin("1", "PB3_MOSI").pin("2", "PB4"),
  });
  ASSERT_NE(find_variant<NamingConventionMismatch>(report), nullptr);
  EXPECT_EQ(uncovered(report), (Texts{"symbol_pin_count"}));
}

}  // namespace
}  // namespace tessan
