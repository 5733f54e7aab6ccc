// Pad roles and footprint agreement in the variant classification: vias, paste and exposed
// pads explained by where they lie, signal pads and renumbered footprints never.
#include <gtest/gtest.h>

#include "compare/compare_sources.hpp"
#include "compare/source_builder.hpp"
#include "footprints.hpp"

namespace tessan::testing {
namespace {

using Texts = std::vector<std::string>;

Texts kinds(const ComparisonReport& report) {
  Texts out;
  for (const Variant& v : report.variants) {
    out.push_back(std::visit(
        [](const auto& x) -> std::string {
          using T = std::decay_t<decltype(x)>;
          if constexpr (std::is_same_v<T, ExposedPadVariant>) return "ep";
          if constexpr (std::is_same_v<T, ModuleExtraPads>) return "module_extras";
          if constexpr (std::is_same_v<T, LabelOnlyMismatch>) return "label_only";
          if constexpr (std::is_same_v<T, BodyDimMeasurementArtifact>) return "body_dim_artifact";
          return "other";
        },
        v));
  }
  return out;
}

std::vector<std::string> gpio_names(int count) {
  std::vector<std::string> names;
  for (int n = 1; n <= count; ++n) names.push_back("GPIO" + std::to_string(n));
  return names;
}

// A 32-pin part; `ep_pin` adds pin 33 with that name.
SourceBuilder qfn_part(std::string name, std::string package = "QFN-32", std::string ep_pin = "") {
  SourceBuilder builder = source(std::move(name)).package(std::move(package));
  builder.named_pins(gpio_names(32));
  if (!ep_pin.empty()) builder.pin("33", ep_pin);
  return builder;
}

Footprint ep_in_segments(const std::string& a, const std::string& b, const std::string& c,
                         const std::string& d) {
  return with(qfn(8, 0), {{a, smd(-0.8, 0.8, 1.4, 1.4)},
                          {b, smd(0.8, 0.8, 1.4, 1.4)},
                          {c, smd(-0.8, -0.8, 1.4, 1.4)},
                          {d, smd(0.8, -0.8, 1.4, 1.4)}});
}

Footprint thermal_vias(Footprint f, int first_label) {
  for (int i = 0; i < 9; ++i) {
    f.push_back(
        {std::to_string(first_label + i), hole(-1 + (i % 3) * 1.0, -1 + (i / 3) * 1.0, 0.6, 0.3)});
  }
  return f;
}

Footprint sot223(const std::string& tab) {
  return {{"1", smd(-2.3, -3.15, 0.95, 2.15)},
          {"2", smd(0, -3.15, 0.95, 2.15)},
          {"3", smd(2.3, -3.15, 0.95, 2.15)},
          {tab, smd(0, 3.15, 3.25, 2.15)}};
}

struct Case {
  std::string name;
  SourceData kicad, eagle;
  Texts variants;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class PadRoleVariants : public ::testing::TestWithParam<Case> {};

TEST_P(PadRoleVariants, ExplainOnlyWhatTheFootprintsShow) {
  const Case& c = GetParam();
  const ComparisonReport report = compare_sources({c.kicad, c.eagle});
  EXPECT_EQ(kinds(report), c.variants);
}

SourceData sot223_part(std::string name, const std::string& tab, Texts pin_names) {
  return with_footprint(source(std::move(name)).package("SOT-223").named_pins(pin_names),
                        sot223(tab));
}

INSTANTIATE_TEST_SUITE_P(
    Explained, PadRoleVariants,
    ::testing::Values(
        Case{"ExposedPadOnlyOneLibraryDraws",
             with_footprint(qfn_part("kicad", "QFN-32", "GND"), qfn(8)),
             with_footprint(qfn_part("eagle"), qfn(8, 0)),
             {"ep"}},
        Case{"ExposedPadInFourSegments",
             with_footprint(qfn_part("kicad", "QFN-32", "EP"), qfn(8)),
             with_footprint(qfn_part("eagle", "QFN-32", "EP"),
                            ep_in_segments("33", "33", "33", "33")),
             {"ep"}},
        Case{"ExposedPadSegmentsLabelledApart",
             with_footprint(qfn_part("kicad", "QFN-32", "GND"), qfn(8)),
             with_footprint(qfn_part("eagle"), ep_in_segments("PAD_1", "PAD_2", "PAD_3", "PAD_4")),
             {"ep"}},
        Case{"ThermalViasNumberedWithoutPins",
             with_footprint(qfn_part("kicad", "QFN-32", "GND"), thermal_vias(qfn(8), 34)),
             with_footprint(qfn_part("eagle", "QFN-32", "GND"), qfn(8)),
             {"ep"}},
        Case{"NumberedViasWithoutAnExposedPad",
             with_footprint(qfn_part("kicad"), thermal_vias(qfn(8, 0), 33)),
             with_footprint(qfn_part("eagle"), qfn(8, 0)),
             {"module_extras"}},
        Case{"TabNumberedLikeItsPin",
             sot223_part("kicad", "4", {"GND", "VOUT", "VIN", "VOUT"}),
             sot223_part("eagle", "2", {"GND", "VOUT", "VIN"}),
             {"ep"}},
        Case{"QfnNamedLandPatternOfATqfp",
             with_footprint(qfn_part("kicad", "QFN-32"), tqfp(8)),
             with_footprint(qfn_part("eagle", "TQFP-32"), turned(tqfp(8), 1)),
             {"label_only"}}),
    [](const auto& info) { return info.param.name; });

Footprint copies_of_pad_one(int copies) {
  Footprint f = soic(8);
  for (int i = 0; i < copies; ++i) f.push_back(f.front());
  return f;
}

Footprint with_signal_pad_at_row_end() {
  return with(soic(8), {{"9", smd(-2.7, -2.54, 1.55, 0.6)}});
}

INSTANTIATE_TEST_SUITE_P(
    RealDifferences, PadRoleVariants,
    ::testing::Values(
        Case{"ExposedPadNumberedLikeASignal",
             with_footprint(qfn_part("kicad"), with(qfn(8, 0), {{"32", smd(0, 0, 3.1, 3.1)}})),
             with_footprint(qfn_part("eagle", "QFN-32", "GND"), qfn(8)),
             {}},
        Case{"SignalSizedPadAddedToARow",
             with_footprint(source("kicad").package("SOIC-8").named_pins(gpio_names(8)),
                            with_signal_pad_at_row_end()),
             with_footprint(source("eagle").package("SOIC-8").named_pins(gpio_names(8)), soic(8)),
             {}},
        Case{"CopiesOfASignalPad",
             with_footprint(source("kicad").package("SOIC-8").named_pins(gpio_names(8)),
                            copies_of_pad_one(40)),
             with_footprint(source("eagle").package("SOIC-8").named_pins(gpio_names(8)), soic(8)),
             {}},
        Case{"TabRelabelledWithItsPinRenamed",
             sot223_part("kicad", "4", {"GND", "VOUT", "VIN", "VOUT"}),
             sot223_part("eagle", "2", {"GND", "GND", "VIN"}),
             {}},
        Case{"ExposedPadBesideARenumberedFootprint",
             with_footprint(qfn_part("kicad", "QFN-32", "GND"), qfn(8)),
             with_footprint(qfn_part("eagle"), clockwise(qfn(8, 0), 32)),
             {}},
        Case{
            "SameFamilyClassButAnotherLandPattern",
            with_footprint(qfn_part("kicad", "QFN-32").package("QFN-32", 5, 5), qfn(8, 0)),
            with_footprint(qfn_part("eagle", "DFN-32").package("DFN-32", 6, 6), quad(8, 0.65, 5.9)),
            {}}),
    [](const auto& info) { return info.param.name; });

TEST(PadRoleVariants, ExposedPadListsComeFromTheRoles) {
  const ComparisonReport report =
      compare_sources({with_footprint(qfn_part("kicad", "QFN-32", "GND"), thermal_vias(qfn(8), 34)),
                       with_footprint(qfn_part("eagle", "QFN-32", "GND"), qfn(8)),
                       with_footprint(qfn_part("altium"), qfn(8, 0))});
  ASSERT_EQ(report.variants.size(), 1u);
  const auto& ep = std::get<ExposedPadVariant>(report.variants.front());
  EXPECT_EQ(ep.sources_with_ep, (Texts{"kicad", "eagle"}));
  EXPECT_EQ(ep.sources_without_ep, (Texts{"altium"}));
}

TEST(PadRoleVariants, ARelabelNeedsEverySymbolToPutOnePinOnBothPads) {
  const SourceData quarn = source("quarn").named_pins({"GND", "VOUT", "VIN", "VIN"});
  const ComparisonReport report =
      compare_sources({quarn, sot223_part("kicad", "4", {"GND", "VOUT", "VIN", "VOUT"}),
                       sot223_part("eagle", "2", {"GND", "VOUT", "VIN"})});
  EXPECT_TRUE(report.variants.empty());
}

}  // namespace
}  // namespace tessan::testing
