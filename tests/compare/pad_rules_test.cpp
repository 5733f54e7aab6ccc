// Pads that one footprint draws and another leaves out or labels otherwise: mechanical pads,
// exposed-pad copies and relabels, and pinless pads judged by what a footprint's geometry says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/compare_sources.hpp"
#include "compare/pad_variants.hpp"
#include "report_reading.hpp"
#include "source_builder.hpp"

namespace tessan {
namespace {

using testing::source;
using testing::SourceBuilder;
using Texts = std::vector<std::string>;

using testing::uncovered;

using testing::kinds;

// A USB-C receptacle's signal pads and pins A1..A4, B1..B4 (B4 a ground).
SourceBuilder receptacle(std::string name) {
  SourceBuilder builder(std::move(name));
  for (const std::string row : {"A", "B"}) {
    for (int n = 1; n <= 4; ++n) {
      const std::string label = row + std::to_string(n);
      builder.pads({label}).pin(label, label == "B4" ? "GND" : "SIG_" + label);
    }
  }
  return builder;
}

struct MechanicalCase {
  std::string what;
  std::vector<SourceData> sources;
  bool explained;
};

void PrintTo(const MechanicalCase& c, std::ostream* os) {
  *os << c.what;
}

class MechanicalPads : public ::testing::TestWithParam<MechanicalCase> {};

TEST_P(MechanicalPads, DifferInLabelsAndCountsOnly) {
  const ComparisonReport report = compare_sources(GetParam().sources);
  EXPECT_EQ(kinds(report) == Texts{"module_extra_pads"}, GetParam().explained)
      << ::testing::PrintToString(kinds(report));
  EXPECT_EQ(uncovered(report).empty(), GetParam().explained)
      << ::testing::PrintToString(uncovered(report));
}

SourceData with_pegs(SourceBuilder builder, std::size_t pegs, bool copper) {
  SourceData data = builder.build();
  data.pad_geometry = std::vector<PadGeometry>(data.pads.size());
  for (std::size_t i = 0; i < pegs; ++i) {
    data.pads.push_back("MH" + std::to_string(i + 1));
    PadGeometry peg;
    peg.kind = PadKind::NonPlatedHole;
    peg.has_copper = copper;
    data.pad_geometry->push_back(peg);
  }
  return data;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MechanicalPads,
    ::testing::Values(
        MechanicalCase{"shield pads S1..S4 with SHIELD pins against six pads S",
                       {receptacle("kicad")
                            .pads({"S1", "S2", "S3", "S4"})
                            .pin("S1", "SHIELD")
                            .pin("S2", "SHIELD"),
                        receptacle("eagle").pads({"S", "S", "S", "S", "S", "S"})},
                       true},
        MechanicalCase{"mounting pads MP and EAGLE's P$1 against SH1, SH2 with ground pins",
                       {receptacle("kicad").pads({"MP", "MP"}), receptacle("eagle").pads({"P$1"}),
                        receptacle("altium").pads({"SH1", "SH2"}).pin("SH1", "GND")},
                       true},
        MechanicalCase{
            "a pad 0 with a ground found on an ordinary pad too",
            {receptacle("kicad").pads({"0"}).pin("0", "GND"), receptacle("altium").pads({"MT1"})},
            true},
        MechanicalCase{"locating pegs that one library leaves out",
                       {with_pegs(receptacle("kicad"), 2, false), receptacle("altium").build()},
                       true},
        MechanicalCase{
            "a label S1 carrying a signal pin",
            {receptacle("kicad").pads({"S1"}).pin("S1", "CC1"), receptacle("altium").pads({"S"})},
            false},
        MechanicalCase{
            "the part's only ground pad relabelled 0",
            {source("kicad").pads({"1", "2", "0"}).pin("1", "A").pin("2", "B").pin("0", "GND"),
             source("altium").pads({"1", "2", "3"}).pin("1", "A").pin("2", "B").pin("3", "GND")},
            false},
        MechanicalCase{"shield pads in one footprint and none in the other",
                       {receptacle("kicad").pads({"S1", "S2", "S3", "S4"}), receptacle("altium")},
                       false},
        MechanicalCase{"plated holes are no locating pegs",
                       {with_pegs(receptacle("kicad"), 2, true), receptacle("altium").build()},
                       false}));

// ---- Exposed pad ----

TEST(ExposedPadCopies, CopiesOfASignalPadAreARealDifference) {
  SourceBuilder copies("kicad");
  copies.numbered_pads(1, 8).named_pins({"/CS", "DO", "/WP", "GND", "DI", "CLK", "/HOLD", "VCC"});
  for (int n = 0; n < 40; ++n) copies.pads({"1"});
  SourceBuilder plain("altium");
  plain.numbered_pads(1, 8).named_pins({"/CS", "DO", "/WP", "GND", "DI", "CLK", "/HOLD", "VCC"});
  const ComparisonReport report = compare_sources({copies, plain});
  EXPECT_TRUE(report.variants.empty()) << ::testing::PrintToString(kinds(report));
  EXPECT_EQ(uncovered(report), (Texts{"pad_count"}));
}

TEST(ExposedPadCopies, CopiesOfTheGroundedPadAreItsSegments) {
  const ComparisonReport report = compare_sources({
      source("kicad")
          .numbered_pads(1, 9)
          .pads({"9", "9", "9"})
          .named_pins({"A", "B", "C", "D", "E", "F", "G", "H", "GND"}),
      source("altium").numbered_pads(1, 9).named_pins(
          {"A", "B", "C", "D", "E", "F", "G", "H", "PGND"}),
  });
  EXPECT_EQ(kinds(report), (Texts{"exposed_pad_variant", "naming_convention_mismatch"}));
  EXPECT_TRUE(uncovered(report).empty());
}

TEST(ExposedPadRelabel, AGroundPadLabelledByItsNetAgainstItsNumber) {
  const ComparisonReport report = compare_sources({
      source("kicad")
          .numbered_pads(1, 4)
          .pads({"GND"})
          .named_pins({"A", "B", "C", "D"})
          .pin("GND", "GND"),
      source("altium").numbered_pads(1, 5).named_pins({"A", "B", "C", "D", "GND"}),
  });
  EXPECT_EQ(kinds(report), (Texts{"exposed_pad_variant"}));
  EXPECT_TRUE(uncovered(report).empty());
}

TEST(ExposedPadRelabel, ASignalPadRelabelledStaysDivergent) {
  const ComparisonReport report = compare_sources({
      source("kicad")
          .numbered_pads(1, 4)
          .pads({"X"})
          .named_pins({"A", "B", "C", "D"})
          .pin("X", "GND"),
      source("altium").numbered_pads(1, 5).named_pins({"A", "B", "C", "D", "SDA"}),
  });
  EXPECT_TRUE(report.variants.empty()) << ::testing::PrintToString(kinds(report));
}

// ---- Pinless extra pads, judged by the geometry's label roles ----

// A 33-pad part; `vias` adds pads 34..49 that no pin lands on.
SourceData qfn(std::string name, bool vias, const std::string& pin_on_via = "") {
  SourceBuilder builder(std::move(name));
  for (int n = 1; n <= 33; ++n)
    builder.pin(std::to_string(n), n == 33 ? "GND" : "P" + std::to_string(n));
  builder.numbered_pads(1, 33);
  if (vias) builder.numbered_pads(34, 49);
  if (!pin_on_via.empty()) builder.pin("34", pin_on_via);
  return builder.build();
}

LabelPads vias_from_34(const SourceData& /*source*/, const std::string& label) {
  return label.size() == 2 && label >= "34" ? LabelPads::ViaPasteHoleOrEp : LabelPads::Other;
}

struct PinlessCase {
  std::string what;
  std::string pin_on_via;
  LabelPadLookup label_pads;
  bool explained;
};

TEST(PinlessExtraPads, ExplainedOnlyByTheGeometrysRoles) {
  const std::vector<PinlessCase> cases = {
      {"vias by geometry", "", vias_from_34, true},
      {"a repeated ground on a via counts as no pin", "GND", vias_from_34, true},
      {"a signal pin on a via", "P34", vias_from_34, false},
      {"no geometry", "", no_geometry, false},
  };
  for (const PinlessCase& c : cases) {
    const std::vector<SourceData> data = {qfn("kicad", true, c.pin_on_via), qfn("altium", false)};
    const SourceRefs refs = {&data[0], &data[1]};
    const std::optional<Variant> variant = label_pad_variant(refs, true, c.label_pads);
    const auto* extras = variant ? std::get_if<ModuleExtraPads>(&*variant) : nullptr;
    EXPECT_EQ(extras != nullptr, c.explained) << c.what;
    if (extras != nullptr) {
      EXPECT_EQ(extras->extra_count, 16u) << c.what;
    }
  }
}

}  // namespace
}  // namespace tessan
