// The seven axes through compare_sources: values, conflicts, verdicts and severities.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "compare/compare_sources.hpp"
#include "source_builder.hpp"

namespace tessan {
namespace {

using testing::source;
using Values = std::map<std::string, std::string>;
using Texts = std::vector<std::string>;

enum AxisIndex { kPadCount, kPadNumbers, kPinCount, kPinNames, kPinMap, kFamily, kBody };

const AxisOutcome& axis(const ComparisonReport& report, AxisIndex index) {
  return report.axes.at(static_cast<std::size_t>(index));
}

TEST(CompareSources, ListsTheSevenAxesInOrder) {
  const ComparisonReport report = compare_sources({});
  std::vector<std::string> names;
  for (const AxisOutcome& outcome : report.axes) names.push_back(outcome.axis);
  EXPECT_EQ(names, (Texts{"pad_count", "pad_numbers", "symbol_pin_count", "pin_names",
                          "pin_to_pad_map", "package_family", "body_dims"}));
  EXPECT_TRUE(report.variants.empty());
  EXPECT_EQ(report.overall, Verdict::Agree);
}

TEST(CompareSources, OneSourceLeavesEveryAxisSourceMissing) {
  const ComparisonReport report = compare_sources(
      {source("kicad").numbered_pads(1, 3).named_pins({"A", "B", "C"}).package("SOIC-8", 3, 4)});
  for (const AxisOutcome& outcome : report.axes) {
    EXPECT_EQ(outcome.verdict, Verdict::SourceMissing) << outcome.axis;
    EXPECT_EQ(outcome.severity, outcome.axis == "pin_names" ? 2 : 1) << outcome.axis;
    EXPECT_TRUE(outcome.conflicts.empty()) << outcome.axis;
  }
  EXPECT_EQ(axis(report, kPadCount).values, (Values{{"kicad", "3"}}));
  EXPECT_EQ(report.overall, Verdict::Agree);
}

TEST(CompareSources, OneStubSourceAloneLeavesPinNamesSourceMissing) {
  const ComparisonReport report = compare_sources({source("kicad").stub_pins(1, 4)});
  const AxisOutcome& names = axis(report, kPinNames);
  EXPECT_EQ(names.verdict, Verdict::SourceMissing);
  EXPECT_EQ(names.severity, 1);
  EXPECT_TRUE(names.conflicts.empty());
  EXPECT_EQ(names.values, (Values{{"kicad", "(stub names: 4 of 4 are numeric)"}}));
  EXPECT_EQ(report.overall, Verdict::Agree);
}

TEST(CompareSources, DropsSourcesThatCarryNothing) {
  const ComparisonReport report = compare_sources(
      {source("quarn"), source("kicad").numbered_pads(1, 2), source("eagle").numbered_pads(1, 2)});
  EXPECT_EQ(axis(report, kPadCount).values, (Values{{"eagle", "2"}, {"kicad", "2"}}));
  EXPECT_EQ(axis(report, kPinNames).values,
            (Values{{"eagle", "(no symbol loaded)"}, {"kicad", "(no symbol loaded)"}}));
}

TEST(PadCount, ListsCountsInSourceOrder) {
  const ComparisonReport report =
      compare_sources({source("kicad").numbered_pads(1, 8).pads({"EP"}),
                       source("eagle").numbered_pads(1, 8), source("quarn").named_pins({"X"})});
  const AxisOutcome& count = axis(report, kPadCount);
  EXPECT_EQ(count.verdict, Verdict::Disagree);
  EXPECT_EQ(count.severity, 3);
  EXPECT_EQ(count.values,
            (Values{{"eagle", "8"}, {"kicad", "9"}, {"quarn", "(no footprint loaded)"}}));
  EXPECT_EQ(count.conflicts, (Texts{"Pad counts differ across sources: [9, 8]"}));
}

TEST(PadCount, CountsRepeatedLabels) {
  const ComparisonReport report =
      compare_sources({source("kicad").pads({"9", "9"}), source("eagle").pads({"9"})});
  EXPECT_EQ(axis(report, kPadCount).conflicts, (Texts{"Pad counts differ across sources: [2, 1]"}));
  EXPECT_EQ(axis(report, kPadNumbers).values, (Values{{"eagle", "9"}, {"kicad", "9"}}));
  EXPECT_EQ(axis(report, kPadNumbers).verdict, Verdict::Agree);
}

TEST(PadNumbers, ReportsEachSetDifferenceAgainstTheReference) {
  const ComparisonReport report = compare_sources(
      {source("kicad").numbered_pads(1, 8).pads({"EP"}), source("eagle").numbered_pads(1, 8)});
  const AxisOutcome& numbers = axis(report, kPadNumbers);
  EXPECT_EQ(numbers.verdict, Verdict::Disagree);
  EXPECT_EQ(numbers.severity, 3);
  EXPECT_EQ(numbers.values,
            (Values{{"eagle", "8 pads (1\u20268)"}, {"kicad", "9 pads (1\u2026EP)"}}));
  EXPECT_EQ(numbers.conflicts, (Texts{"kicad has pads EP that eagle is missing"}));
}

TEST(PadNumbers, MergesLetterCaseAndOrdersBytewise) {
  const ComparisonReport report = compare_sources(
      {source("kicad").pads({"10", "2", "ep", "1"}), source("eagle").pads({"EP", "1", "2", "10"})});
  const AxisOutcome& numbers = axis(report, kPadNumbers);
  EXPECT_EQ(numbers.verdict, Verdict::Agree);
  EXPECT_EQ(numbers.values, (Values{{"eagle", "1,10,2,EP"}, {"kicad", "1,10,2,EP"}}));
}

TEST(PadNumbers, WritesLongDifferencesAsCounts) {
  const ComparisonReport report =
      compare_sources({source("quarn").numbered_pads(1, 4), source("kicad").numbered_pads(3, 9),
                       source("eagle").numbered_pads(1, 3)});
  EXPECT_EQ(axis(report, kPadNumbers).conflicts,
            (Texts{"quarn has pads 1,2 that kicad is missing",
                   "kicad has pads 5 items that quarn is missing",
                   "quarn has pads 4 that eagle is missing"}));
  EXPECT_EQ(axis(report, kPadNumbers).values.at("kicad"), "7 pads (3\u20269)");
}

TEST(SymbolPinCount, ComparesPinCounts) {
  const ComparisonReport report =
      compare_sources({source("quarn").named_pins({"A", "B"}), source("kicad").numbered_pads(1, 3),
                       source("eagle").named_pins({"A", "B", "C"})});
  const AxisOutcome& count = axis(report, kPinCount);
  EXPECT_EQ(count.verdict, Verdict::Disagree);
  EXPECT_EQ(count.values,
            (Values{{"eagle", "3"}, {"kicad", "(no symbol loaded)"}, {"quarn", "2"}}));
  EXPECT_EQ(count.conflicts, (Texts{"Pin counts differ across sources: [2, 3]"}));
}

TEST(StubSource, NeedsMoreThanHalfOfThePinsFlagged) {
  auto with_stubs = [](int stubs, int pins) {
    testing::SourceBuilder builder("kicad");
    for (int n = 1; n <= pins; ++n)
      builder.pin(std::to_string(n), "N" + std::to_string(n), n <= stubs);
    return builder.build();
  };
  const SourceData named = source("quarn").named_pins({"A"});
  EXPECT_EQ(axis(compare_sources({named, with_stubs(5, 9)}), kPinNames).values.at("kicad"),
            "(stub names: 5 of 9 are numeric)");
  EXPECT_EQ(axis(compare_sources({named, with_stubs(4, 8)}), kPinNames).values.at("kicad"),
            "8 named pins");
}

TEST(PinNames, OneStubSourceBesideOneNamedSource) {
  const ComparisonReport report = compare_sources(
      {source("quarn").named_pins({"VDD", "GND"}), source("kicad").stub_pins(1, 2)});
  const AxisOutcome& names = axis(report, kPinNames);
  EXPECT_EQ(names.verdict, Verdict::Disagree);
  EXPECT_EQ(names.severity, 2);
  EXPECT_EQ(names.values,
            (Values{{"kicad", "(stub names: 2 of 2 are numeric)"}, {"quarn", "2 named pins"}}));
  EXPECT_EQ(names.conflicts,
            (Texts{"kicad has stub-only pin names (UL bundle did not carry the part's real pin "
                   "labels)"}));
  const AxisOutcome& map = axis(report, kPinMap);
  EXPECT_EQ(map.verdict, Verdict::SourceMissing);
  EXPECT_EQ(map.severity, 1);
  EXPECT_EQ(map.values, (Values{{"quarn", "2 mappings"}}));
}

TEST(PinNames, ReportsRenamedAndMissingPinsAgainstTheReference) {
  const ComparisonReport report = compare_sources({
      source("quarn").pin("1", "VDD").pin("2", "OUT1").pin("3", "SDA"),
      source("kicad").pin("1", "vdd").pin("2", "1OUT").pin("4", "SCL"),
      source("eagle").stub_pins(1, 3),
  });
  const AxisOutcome& names = axis(report, kPinNames);
  EXPECT_EQ(names.verdict, Verdict::Disagree);
  EXPECT_EQ(names.severity, 3);
  EXPECT_EQ(names.conflicts,
            (Texts{"eagle has stub-only pin names (UL bundle did not carry the part's real pin "
                   "labels)",
                   "pin 2: quarn=OUT1 but kicad=1OUT",
                   "pin 3 present in quarn (SDA) but missing in kicad",
                   "pin 4 present in kicad (SCL) but missing in quarn"}));
}

TEST(PinNames, NormalizedNamesAndUpperCasedNumbersAgree) {
  const ComparisonReport report = compare_sources({
      source("quarn").pin("a1", "vdd_1").pin("ep", "gnd"),
      source("kicad").pin("A1", "VDD").pin("EP", "GND").pin("ep", "GND"),
  });
  EXPECT_EQ(axis(report, kPinNames).verdict, Verdict::Agree);
  EXPECT_EQ(axis(report, kPinNames).severity, 3);
  EXPECT_EQ(axis(report, kPinNames).values,
            (Values{{"kicad", "2 named pins"}, {"quarn", "2 named pins"}}));
}

TEST(PinNames, LaterPinWinsAKey) {
  const ComparisonReport report = compare_sources({
      source("quarn").pin("1", "A").pin("1", "B"),
      source("kicad").pin("1", "B"),
  });
  EXPECT_EQ(axis(report, kPinNames).verdict, Verdict::Agree);
}

TEST(PinToPadMap, ReportsNamesOnDifferentPads) {
  const ComparisonReport report = compare_sources({
      source("quarn").pin("1", "VDD").pin("4", "GND").pin("9", "GND").pin("2", "OUT"),
      source("kicad").pin("1", "GND").pin("9", "VDD").pin("3", "IN"),
  });
  const AxisOutcome& map = axis(report, kPinMap);
  EXPECT_EQ(map.verdict, Verdict::Disagree);
  EXPECT_EQ(map.severity, 3);
  EXPECT_EQ(map.values, (Values{{"kicad", "3 mappings"}, {"quarn", "3 mappings"}}));
  EXPECT_EQ(map.conflicts, (Texts{"pin GND: quarn=pad 4,9 but kicad=pad 1",
                                  "pin VDD: quarn=pad 1 but kicad=pad 9"}));
}

TEST(PackageFamily, ShowsRawNamesAndDisagreesAcrossFamilies) {
  const ComparisonReport report = compare_sources({
      source("quarn").package("VSSOP-10"),
      source("kicad").package("soic-8"),
      source("eagle").numbered_pads(1, 2),
  });
  const AxisOutcome& family = axis(report, kFamily);
  EXPECT_EQ(family.verdict, Verdict::Disagree);
  EXPECT_EQ(family.severity, 3);
  EXPECT_EQ(family.values, (Values{{"eagle", "(no package loaded)"},
                                   {"kicad", "soic-8 \u2192 family=SOIC"},
                                   {"quarn", "VSSOP-10 \u2192 family=VSSOP"}}));
  EXPECT_EQ(family.conflicts,
            (Texts{"Package families disagree across sources: quarn=VSSOP, kicad=SOIC"}));
}

TEST(PackageFamily, AgreesOnOneFamily) {
  const ComparisonReport report =
      compare_sources({source("quarn").package("DGS0010A"), source("kicad").package("MSOP-10")});
  EXPECT_EQ(axis(report, kFamily).verdict, Verdict::Agree);
  EXPECT_EQ(axis(report, kFamily).severity, 3);
}

struct BodyCase {
  double x1, y1, x2, y2;
  Verdict verdict;
};

class BodyDims : public ::testing::TestWithParam<BodyCase> {};

TEST_P(BodyDims, AllowsHalfAMillimetrePerAxis) {
  const BodyCase& c = GetParam();
  const ComparisonReport report = compare_sources(
      {source("quarn").package("A", c.x1, c.y1), source("kicad").package("A", c.x2, c.y2)});
  EXPECT_EQ(axis(report, kBody).verdict, c.verdict);
  EXPECT_EQ(axis(report, kBody).severity, 2);
}

INSTANTIATE_TEST_SUITE_P(Tolerance, BodyDims,
                         ::testing::Values(BodyCase{3.0, 3.0, 3.5, 3.5, Verdict::Agree},
                                           BodyCase{3.0, 3.0, 3.51, 3.0, Verdict::Disagree},
                                           BodyCase{3.0, 3.0, 3.0, 2.49, Verdict::Disagree},
                                           BodyCase{4.9, 3.0, 3.0, 4.9, Verdict::Disagree},
                                           BodyCase{3.0, 3.0, std::nan(""), 3.0,
                                                    Verdict::Disagree}));

TEST(BodyDimsText, WritesTwoDecimalsAndTheConflict) {
  const ComparisonReport report = compare_sources({
      source("quarn").package("SOIC-8", 3.0, 4.9),
      source("kicad").package("SOIC-8", 3.9, 4.9),
      source("eagle").package("SOIC-8", 3.1),
      source("altium").package("SOIC-8", 2.996, 4.904),
  });
  const AxisOutcome& body = axis(report, kBody);
  EXPECT_EQ(body.values, (Values{{"altium", "3.00\u00D74.90 mm"},
                                 {"kicad", "3.90\u00D74.90 mm"},
                                 {"quarn", "3.00\u00D74.90 mm"}}));
  EXPECT_EQ(body.conflicts, (Texts{"kicad body 3.90\u00D74.90 mm differs from quarn body "
                                   "3.00\u00D74.90 mm by >0.5 mm"}));
  EXPECT_EQ(axis(report, kFamily).values.count("eagle"), 1u);
}

TEST(BodyDimsText, OneDimensionIsNotEnough) {
  const ComparisonReport report = compare_sources(
      {source("quarn").package("SOIC-8", 3.0), source("kicad").package("SOIC-8", 3.0, 4.9)});
  EXPECT_EQ(axis(report, kBody).verdict, Verdict::SourceMissing);
  EXPECT_EQ(axis(report, kBody).values, (Values{{"kicad", "3.00\u00D74.90 mm"}}));
  EXPECT_EQ(axis(report, kFamily).verdict, Verdict::Agree);
}

}  // namespace
}  // namespace tessan
