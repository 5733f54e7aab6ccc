// Variant classification through compare_sources: each variant's trigger and non-trigger.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/compare_sources.hpp"
#include "report_reading.hpp"
#include "source_builder.hpp"

namespace tessan {
namespace {

using testing::source;
using Texts = std::vector<std::string>;

std::vector<Variant> variants_of(const std::vector<SourceData>& sources) {
  return compare_sources(sources).variants;
}

using testing::kinds;

template <class T>
const T& only(const std::vector<Variant>& variants) {
  EXPECT_EQ(variants.size(), 1u) << ::testing::PrintToString(kinds(variants));
  static const T kEmpty{};
  if (variants.empty()) return kEmpty;
  const T* found = std::get_if<T>(&variants.front());
  EXPECT_NE(found, nullptr) << variant_kind(variants.front());
  return found == nullptr ? kEmpty : *found;
}

// ---- Exposed pad and module extras ----

TEST(ExposedPadVariant, OneExtraPadNumberedPastTheOthers) {
  const auto variants =
      variants_of({source("kicad").numbered_pads(1, 8), source("eagle").numbered_pads(1, 9)});
  const auto& ep = only<ExposedPadVariant>(variants);
  EXPECT_EQ(ep.sources_with_ep, (Texts{"eagle"}));
  EXPECT_EQ(ep.sources_without_ep, (Texts{"kicad"}));
}

TEST(ExposedPadVariant, ThreeCountsSpreadByTwoGiveNoExposedPad) {
  const auto variants =
      variants_of({source("quarn").numbered_pads(1, 8), source("kicad").numbered_pads(1, 9),
                   source("eagle").numbered_pads(1, 10)});
  EXPECT_TRUE(variants.empty()) << ::testing::PrintToString(kinds(variants));
}

TEST(ModuleExtraPads, TheSourceWithFewestPadsIsAModule) {
  const auto variants = variants_of({
      source("kicad").numbered_pads(1, 38).package("ESP32-WROVER-E"),
      source("altium").numbered_pads(1, 51).package("ESP32-WROVER-E"),
  });
  const auto& extras = only<ModuleExtraPads>(variants);
  EXPECT_EQ(extras.sources_with_extras, (Texts{"altium"}));
  EXPECT_EQ(extras.sources_without_extras, (Texts{"kicad"}));
  EXPECT_EQ(extras.extra_count, 13u);
}

TEST(ModuleExtraPads, OnlyTheFewestPadSourcesAreLookedAt) {
  const auto variants = variants_of({
      source("kicad").numbered_pads(1, 8).package("SOIC-8"),
      source("eagle").numbered_pads(1, 9).package("XBEE"),
      source("altium").numbered_pads(1, 10).package("XBEE"),
  });
  EXPECT_TRUE(variants.empty()) << ::testing::PrintToString(kinds(variants));
}

// ---- Label only ----

TEST(LabelOnlyMismatch, PackageNamesDifferWhileThePadsAgree) {
  const auto variants = variants_of({
      source("quarn").numbered_pads(1, 8).package("VSSOP-10"),
      source("kicad").numbered_pads(1, 8).package("SOIC-8"),
      source("eagle").numbered_pads(1, 8),
  });
  EXPECT_EQ(only<LabelOnlyMismatch>(variants).notes,
            "eagle: (no package loaded) | kicad: SOIC-8 \u2192 family=SOIC | quarn: VSSOP-10 "
            "\u2192 family=VSSOP");
}

TEST(LabelOnlyMismatch, AnExposedPadStillCountsAsAgreeingGeometry) {
  const auto variants = variants_of({
      source("quarn").numbered_pads(1, 16).package("QFN-16"),
      source("kicad").numbered_pads(1, 17).package("VQFN-16"),
  });
  EXPECT_EQ(kinds(variants), (Texts{"exposed_pad_variant", "label_only_mismatch"}));
}

TEST(LabelOnlyMismatch, NotWhenThePadsDisagreeUnexplained) {
  const auto variants = variants_of({
      source("quarn").numbered_pads(1, 8).package("VSSOP-10"),
      source("kicad").numbered_pads(1, 14).package("SOIC-14"),
  });
  EXPECT_TRUE(variants.empty()) << ::testing::PrintToString(kinds(variants));
}

TEST(LabelOnlyMismatch, NotWhenPadNumbersDisagree) {
  const auto variants = variants_of({
      source("quarn").pads({"1", "2"}).package("VSSOP-10"),
      source("kicad").pads({"1", "3"}).package("SOIC-8"),
  });
  EXPECT_TRUE(variants.empty()) << ::testing::PrintToString(kinds(variants));
}

// ---- Stub pin names ----

TEST(StubSymbolPinNames, StubAndCanonicalSources) {
  const auto variants = variants_of({
      source("quarn").named_pins({"VDD", "GND"}),
      source("kicad").stub_pins(1, 2),
      source("eagle").numbered_pads(1, 2),
  });
  const auto& stub = only<StubSymbolPinNames>(variants);
  EXPECT_EQ(stub.stub_sources, (Texts{"kicad"}));
  EXPECT_EQ(stub.canonical_sources, (Texts{"quarn"}));
}

TEST(StubSymbolPinNames, NotWithoutACanonicalSource) {
  const auto variants =
      variants_of({source("kicad").stub_pins(1, 2), source("eagle").stub_pins(1, 2)});
  EXPECT_TRUE(variants.empty()) << ::testing::PrintToString(kinds(variants));
}

// ---- Body measurement ----

TEST(BodyDimMeasurementArtifact, BodiesDifferWhileThePadsAgree) {
  const auto variants = variants_of({
      source("quarn").numbered_pads(1, 8).package("SOIC-8", 3.9, 4.9),
      source("kicad").numbered_pads(1, 8).package("SOIC-8", 6.0, 4.9),
  });
  EXPECT_EQ(only<BodyDimMeasurementArtifact>(variants).notes,
            "kicad: 6.00\u00D74.90 mm | quarn: 3.90\u00D74.90 mm");
}

TEST(BodyDimMeasurementArtifact, NotWhenThePadsDisagreeUnexplained) {
  const auto variants = variants_of({
      source("quarn").numbered_pads(1, 8).package("SOIC-8", 3.9, 4.9),
      source("kicad").numbered_pads(1, 14).package("SOIC-8", 6.0, 4.9),
  });
  EXPECT_TRUE(variants.empty()) << ::testing::PrintToString(kinds(variants));
}

// ---- Kelvin sense ----

TEST(KelvinSenseRepresentation, FourTerminalSymbolAgainstTwoTerminal) {
  const auto variants = variants_of({
      source("kicad").numbered_pads(1, 2).named_pins({"1", "2"}),
      source("eagle").numbered_pads(1, 4).named_pins({"I+", "i-", "V+", "SENSE"}),
      source("quarn").numbered_pads(1, 4),
  });
  ASSERT_FALSE(variants.empty());
  const auto* kelvin = std::get_if<KelvinSenseRepresentation>(&variants.back());
  ASSERT_NE(kelvin, nullptr) << ::testing::PrintToString(kinds(variants));
  EXPECT_EQ(kelvin->sources_with_kelvin, (Texts{"eagle"}));
  EXPECT_EQ(kelvin->sources_without_kelvin, (Texts{"kicad"}));
  EXPECT_EQ(kelvin->kelvin_pin_names, (Texts{"I+", "i-", "V+", "SENSE"}));
}

TEST(KelvinSenseRepresentation, NeedsThreeOfTheFourNames) {
  const auto variants = variants_of({
      source("kicad").numbered_pads(1, 2).named_pins({"A", "B"}),
      source("eagle").numbered_pads(1, 4).named_pins({"I+", "I-", "S1", "S2"}),
  });
  for (const Variant& v : variants)
    EXPECT_FALSE(std::holds_alternative<KelvinSenseRepresentation>(v));
}

// ---- Naming convention ----

TEST(NamingConventionMismatch, ChannelDigitAndPowerAlias) {
  const auto variants = variants_of({
      source("quarn").pin("1", "OUT1").pin("8", "V+").pin("4", "GND"),
      source("kicad").pin("1", "1OUT").pin("8", "VCC").pin("4", "GND"),
  });
  EXPECT_EQ(only<NamingConventionMismatch>(variants).examples,
            (Texts{"pin 1: quarn=OUT1 \u2194 kicad=1OUT", "pin 8: quarn=V+ \u2194 kicad=VCC"}));
}

TEST(NamingConventionMismatch, OneUnexplainedDifferenceSpoilsAll) {
  const auto variants = variants_of({
      source("quarn").pin("1", "OUT1").pin("8", "V+").pin("5", "SDA"),
      source("kicad").pin("1", "1OUT").pin("8", "VCC").pin("5", "SCL"),
  });
  EXPECT_TRUE(variants.empty()) << ::testing::PrintToString(kinds(variants));
}

TEST(NamingConventionMismatch, KeepsFourExamples) {
  const auto variants = variants_of({
      source("quarn").named_pins({"OUT1", "OUT2", "OUT3", "OUT4", "OUT5"}),
      source("kicad").named_pins({"1OUT", "2OUT", "3OUT", "4OUT", "5OUT"}),
  });
  EXPECT_EQ(only<NamingConventionMismatch>(variants).examples.size(), 4u);
}

TEST(NamingConventionMismatch, SkippedWithOneNamedSource) {
  const auto variants = variants_of({
      source("quarn").named_pins({"A", "B"}),
      source("kicad").stub_pins(1, 2),
  });
  EXPECT_EQ(kinds(variants), (Texts{"stub_symbol_pin_names"}));
}

struct RenameCase {
  std::string a;
  std::string b;
  bool benign;
};

void PrintTo(const RenameCase& c, std::ostream* os) {
  *os << c.a << " / " << c.b;
}

class NamingTests : public ::testing::TestWithParam<RenameCase> {};

TEST_P(NamingTests, DecideWhetherOneRenamedPinIsBenign) {
  const RenameCase& c = GetParam();
  const auto variants = variants_of({source("quarn").pin("1", c.a), source("kicad").pin("1", c.b)});
  EXPECT_EQ(variants.size(), c.benign ? 1u : 0u) << ::testing::PrintToString(kinds(variants));
}

INSTANTIATE_TEST_SUITE_P(
    EachTest, NamingTests,
    ::testing::Values(RenameCase{"OUT1", "1OUT", true}, RenameCase{"IN1+", "1IN+", true},
                      RenameCase{"V+", "VDD", true}, RenameCase{"V-", "VSS", true},
                      RenameCase{"V+", "GND", false}, RenameCase{"SCL", "SDA", false},
                      RenameCase{"RESET", "~{RESET}", true}, RenameCase{"CS#", "CS", true},
                      RenameCase{"NRESET", "RESET", true}, RenameCase{"RESET_N", "NRESET", true},
                      RenameCase{"A_N", "A", false}, RenameCase{"EP", "THERMAL_PAD", true},
                      RenameCase{"EPAD", "PAD1", false}, RenameCase{"ADC_IN", "ADCIN", true},
                      RenameCase{"A", "B", false}));

}  // namespace
}  // namespace tessan
