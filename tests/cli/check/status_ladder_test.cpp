#include "cli/status_ladder.hpp"

#include <gtest/gtest.h>

namespace tessan {
namespace {

AxisOutcome axis(std::string name, Verdict verdict, std::map<std::string, std::string> values = {},
                 std::vector<std::string> conflicts = {}) {
  return AxisOutcome{std::move(name), verdict, std::move(values), std::move(conflicts), 3};
}

std::vector<AxisOutcome> seven(Verdict v) {
  std::vector<AxisOutcome> axes;
  for (const char* name : {"pad_count", "pad_numbers", "symbol_pin_count", "pin_names",
                           "pin_to_pad_map", "package_family", "body_dims"}) {
    axes.push_back(axis(name, v));
  }
  return axes;
}

TEST(StatusLadder, SummaryOfTheDocumentedExample) {
  auto axes = seven(Verdict::Agree);
  axes[5].verdict = Verdict::Disagree;
  axes[6].verdict = Verdict::Disagree;
  EXPECT_EQ(summary_text("ADS1115IDGSR", Status::Divergent, {}, {"quarn", "kicad", "eagle"},
                         {"altium"}, axes),
            "ADS1115IDGSR \u2014 DIVERGENT. Sources: [quarn,kicad,eagle] (missing: altium). "
            "Axes: 5 agree, 2 disagree, 0 source-missing.");
}

TEST(StatusLadder, SummaryListsVariantShortNamesInOrderWithRepeats) {
  const std::vector<Variant> variants = {ExposedPadVariant{}, LabelOnlyMismatch{},
                                         ExposedPadVariant{}};
  EXPECT_EQ(summary_text("X", Status::GoldenWithVariants, variants, {"kicad", "eagle"}, {},
                         seven(Verdict::Agree)),
            "X \u2014 GOLDEN with variants [variants: ep,label_only,ep]. Sources: [kicad,eagle]. "
            "Axes: 7 agree, 0 disagree, 0 source-missing.");
}

TEST(StatusLadder, StatusFromUncoveredDisagreementsVariantsAndAgreement) {
  struct Row {
    const char* what;
    std::vector<AxisOutcome> axes;
    std::vector<Variant> variants;
    Status expected;
  };
  auto pad_disagrees = seven(Verdict::Agree);
  pad_disagrees[0].verdict = Verdict::Disagree;
  auto family_disagrees = seven(Verdict::Agree);
  family_disagrees[5].verdict = Verdict::Disagree;
  auto all_missing = seven(Verdict::SourceMissing);
  const Row rows[] = {
      {"all agree", seven(Verdict::Agree), {}, Status::Golden},
      {"covered pad_count", pad_disagrees, {ExposedPadVariant{}}, Status::GoldenWithVariants},
      {"uncovered pad_count", pad_disagrees, {LabelOnlyMismatch{}}, Status::Divergent},
      {"family without variant", family_disagrees, {}, Status::Divergent},
      {"variant while all agree",
       seven(Verdict::Agree),
       {NamingConventionMismatch{}},
       Status::GoldenWithVariants},
      {"every axis missing", all_missing, {}, Status::Unrecoverable},
      {"no axes at all", {}, {}, Status::Unrecoverable},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(decide_status(row.axes, row.variants), row.expected) << row.what;
  }
}

TEST(StatusLadder, JudgementOfAnUnrecoverableComparisonIsAWarnLine) {
  const std::vector<SourceData> records;
  const auto axes = seven(Verdict::SourceMissing);
  const std::vector<Variant> variants;
  const auto j = judge({"M", &records, {"quarn", "kicad"}, {}, &axes, &variants, {}}, {});
  EXPECT_EQ(j.status, Status::Unrecoverable);
  EXPECT_EQ(j.exit_code, 3);
  EXPECT_FALSE(j.summary_is_ok);
}

TEST(StatusLadder, CoveredAxesAreTheUnionOfTheVariantsAxes) {
  const auto covered = covered_axes({LabelOnlyMismatch{}, NamingConventionMismatch{}});
  EXPECT_EQ(covered, (std::vector<std::string>{"package_family", "pin_names", "pin_to_pad_map"}));
}

TEST(StatusLadder, ParseFailureHintsComeFirst) {
  const std::vector<SourceData> records;
  auto axes = seven(Verdict::Agree);
  axes[5] = axis("package_family", Verdict::Disagree, {},
                 {"Package families disagree across sources: quarn=VSSOP, kicad=SOIC"});
  const std::vector<Variant> variants;
  const auto j =
      judge({"M", &records, {"quarn", "kicad"}, {"eagle"}, &axes, &variants, {true, true}},
            {SourceParseFailed{"eagle", "/x/M.lbr", "parsing EAGLE XML"}});
  ASSERT_EQ(j.hints.size(), 2u);
  EXPECT_EQ(hint_action(j.hints[0]), "source_parse_failed");
  EXPECT_EQ(hint_action(j.hints[1]), "refetch_library_source");
}

}  // namespace
}  // namespace tessan
