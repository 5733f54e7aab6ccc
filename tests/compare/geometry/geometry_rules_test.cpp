// The geometry judgements as the comparison reports them: a different package on
// package_family, a different numbering on pad_numbers, and redrawings that change nothing.
#include <gtest/gtest.h>

#include "compare/compare_sources.hpp"
#include "compare/source_builder.hpp"
#include "footprints.hpp"

namespace tessan::testing {
namespace {

using Texts = std::vector<std::string>;

SourceData part(std::string name, const Footprint& f, std::string package = "SOIC-8") {
  return with_footprint(source(std::move(name)).package(std::move(package)), f);
}

const AxisOutcome& axis(const ComparisonReport& report, std::string_view name) {
  return *std::find_if(report.axes.begin(), report.axes.end(),
                       [&](const AxisOutcome& a) { return a.axis == name; });
}

struct Case {
  std::string name;
  Footprint kicad, eagle;
  Texts family_conflicts;
  Texts numbering_conflicts;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class GeometryRules : public ::testing::TestWithParam<Case> {};

TEST_P(GeometryRules, ReportTheDifferenceOnItsAxis) {
  const Case& c = GetParam();
  const ComparisonReport report = compare_sources({part("kicad", c.kicad), part("eagle", c.eagle)});
  const AxisOutcome& family = axis(report, "package_family");
  const AxisOutcome& numbers = axis(report, "pad_numbers");
  EXPECT_EQ(family.conflicts, c.family_conflicts);
  EXPECT_EQ(family.verdict, c.family_conflicts.empty() ? Verdict::Agree : Verdict::Disagree);
  EXPECT_EQ(numbers.conflicts, c.numbering_conflicts);
  EXPECT_EQ(numbers.verdict, c.numbering_conflicts.empty() ? Verdict::Agree : Verdict::Disagree);
  EXPECT_EQ(report.overall, c.family_conflicts.empty() && c.numbering_conflicts.empty()
                                ? Verdict::Agree
                                : Verdict::Disagree);
}

Footprint rows_further_out(Footprint f) {
  for (LabelledPad& p : f) {
    p.pad.x *= 1.15;
    p.pad.w *= 1.3;
  }
  return f;
}

Footprint one_pad_moved(Footprint f, double dy) {
  f.at(2).pad.y += dy;
  return f;
}

const std::string kDiffers = "Footprint geometry differs between kicad and eagle: ";

INSTANTIATE_TEST_SUITE_P(
    DifferentPackages, GeometryRules,
    ::testing::Values(
        Case{"ThroughHoleAgainstSurfaceMount",
             dip(8),
             soic(8),
             {kDiffers + "eagle is surface-mount, kicad is through-hole; pitch 2.54 vs 1.27 mm; "
                         "row span 7.62 vs 3.81 mm"},
             {}},
        Case{"WrongPitch",
             soic(16),
             dual_row(16, 0.65, 5.4, 1.55, 0.4),
             {kDiffers + "pitch 1.27 vs 0.65 mm; row span 8.89 vs 4.55 mm"},
             {}},
        Case{"NarrowRows", soic(8, 7.1), soic(8, 5.2), {kDiffers + "row span 7.10 vs 5.20 mm"}, {}},
        Case{"QfnAgainstTqfp",
             tqfp(8),
             qfn(8, 0),
             {kDiffers + "pitch 0.80 vs 0.50 mm; row span 8.40 vs 4.90 mm"},
             {}},
        Case{"OnePadOffItsRow",
             soic(8),
             one_pad_moved(soic(8), 0.4),
             {kDiffers + "pads up to 0.30 mm apart along their rows"},
             {}},
        Case{"HoleOffItsPlace",
             dip(8),
             one_pad_moved(dip(8), 0.3),
             {kDiffers + "holes up to 0.26 mm apart"},
             {}}),
    [](const auto& info) { return info.param.name; });

const std::string kNumbers = "kicad and eagle number the same pad positions differently ";

INSTANTIATE_TEST_SUITE_P(
    DifferentNumbering, GeometryRules,
    ::testing::Values(
        Case{"Mirrored",
             soic(8),
             mirrored(soic(8)),
             {},
             {kNumbers + "(8 of 8 matched pads): 1\u21948, 2\u21947, 3\u21946, 4\u21945, \u2026"}},
        Case{"Clockwise",
             qfn(8),
             clockwise(qfn(8), 32),
             {},
             {kNumbers +
              "(30 of 32 matched pads): 2\u219432, 3\u219431, 4\u219430, 5\u219429, \u2026"}},
        Case{
            "ShiftedByOnePad",
            tqfp(8),
            renumbered_one_on(tqfp(8), 32),
            {},
            {kNumbers + "(32 of 32 matched pads): 1\u21942, 2\u21943, 3\u21944, 4\u21945, \u2026"}},
        Case{"ExposedPadSwappedWithASignal",
             qfn(8),
             [] {
               Footprint f = qfn(8);
               std::swap(f.at(4).label, f.back().label);
               return f;
             }(),
             {},
             {kNumbers + "(1 of 32 matched pads): 5\u219433"}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    BenignRedrawings, GeometryRules,
    ::testing::Values(
        Case{"Turned90", qfn(8), turned(qfn(8), 1), {}, {}},
        Case{"Turned180", soic(8), turned(soic(8), 2), {}, {}},
        Case{"Turned270AroundPin1", qfn(8), shifted(turned(qfn(8), 3), -1.75, 2.45), {}, {}},
        Case{"OriginOnAMilGrid", tqfp(8), shifted(tqfp(8), 0.0254, -0.0508), {}, {}},
        Case{"LabelsTurnedByOneSide", qfn(8), renumbered_by_side(qfn(8)), {}, {}},
        Case{"LongerPadsRowsFurtherOut", soic(8), rows_further_out(soic(8)), {}, {}},
        Case{"BallsTurned", bga(16, 16, 0.8), turned(bga(16, 16, 0.8), 2), {}, {}}),
    [](const auto& info) { return info.param.name; });

TEST(GeometryRules, MarkThePadsInConflict) {
  Footprint moved = soic(8);
  moved.at(2).pad.y += 0.4;
  const ComparisonReport mirror =
      compare_sources({part("kicad", soic(8)), part("eagle", mirrored(soic(8)))});
  const ComparisonReport one_off = compare_sources({part("kicad", soic(8)), part("eagle", moved)});
  const ComparisonReport benign =
      compare_sources({part("kicad", soic(8)), part("eagle", turned(soic(8), 2))});
  const std::vector<bool> all(8, true), none(8, false),
      third = {false, false, true, false, false, false, false, false};
  EXPECT_EQ(mirror.geometry.footprints.at(1).in_conflict, all);
  EXPECT_EQ(one_off.geometry.footprints.at(0).in_conflict, third);
  EXPECT_EQ(one_off.geometry.footprints.at(1).in_conflict, third);
  EXPECT_EQ(benign.geometry.footprints.at(1).in_conflict, none);
}

TEST(GeometryRules, ADifferentPackageDisagreesWithOnePackageNamedOrNone) {
  SourceData unnamed = with_footprint(source("eagle"), soic(8, 5.2));
  const ComparisonReport report = compare_sources({part("kicad", soic(8, 7.1)), unnamed});
  const AxisOutcome& family = axis(report, "package_family");
  EXPECT_EQ(family.verdict, Verdict::Disagree);
  EXPECT_EQ(family.severity, 3);
  EXPECT_EQ(family.conflicts, (Texts{kDiffers + "row span 7.10 vs 5.20 mm"}));
}

TEST(GeometryRules, OneUsableFootprintLeavesTheVerdictsAsTheLabelsGive) {
  SourceData without_geometry = source("eagle").package("SOIC-8").numbered_pads(1, 8);
  const ComparisonReport report = compare_sources({part("kicad", dip(8)), without_geometry});
  EXPECT_EQ(report.overall, Verdict::Agree);
  EXPECT_TRUE(report.geometry.pairs.empty());
}

}  // namespace
}  // namespace tessan::testing
