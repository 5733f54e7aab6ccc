#include <gtest/gtest.h>

#include "cli/inspect_summary.hpp"

namespace tessan {
namespace {

TEST(InspectName, LastComponentAsTypedOrQuestionMark) {
  struct Row {
    std::string_view chip_dir;
    std::string_view name;
  };
  const Row rows[] = {
      {"chips/LM358DR", "LM358DR"},
      {"chips/LM358DR/", "LM358DR"},
      {"chips/LM358DR//", "LM358DR"},
      {"LM358DR", "LM358DR"},
      {"/abs/TPS7A20", "TPS7A20"},
      {"chips/LM358DR/.", "LM358DR"},
      {"/", "?"},
      {"//", "?"},
      {".", "?"},
      {"./", "?"},
      {"..", "?"},
      {"chips/..", "?"},
      {"", "?"},
      {"chips/\xff\xfe", "?"},
      {"chips/\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(inspect_name(std::string(row.chip_dir)), row.name) << row.chip_dir;
  }
}

ResultDoc divergent_document() {
  ResultDoc doc;
  doc.status = Status::Divergent;
  doc.exit_code = 2;
  doc.mpn = "ADS1115IDGSR";
  doc.sources_compared = {"quarn", "kicad"};
  doc.sources_missing = {"eagle", "altium"};
  doc.axes = {
      AxisOutcome{"pad_count", Verdict::Agree, {}, {}, 3},
      AxisOutcome{"symbol_pin_count", Verdict::SourceMissing, {}, {}, 1},
      AxisOutcome{"package_family", Verdict::Disagree, {}, {"families differ", "second"}, 3},
      AxisOutcome{"a_name_longer_than_sixteen", Verdict::Agree, {}, {}, 3},
      AxisOutcome{"\xc3\xa9", Verdict::Agree, {}, {}, 3},
  };
  doc.hints = {HumanReview{"why", "n"}, SourceParseFailed{"eagle", "x\xff", "e"}};
  return doc;
}

TEST(InspectSummary, FullDocumentLines) {
  const std::vector<std::string> expected = {
      "MPN: ADS1115IDGSR \u2014 status: Divergent, exit_code: 2",
      "Sources compared: [\"quarn\", \"kicad\"]",
      "Sources missing:  [\"eagle\", \"altium\"]",
      "Axes:",
      "         pad_count  Agree",
      "  symbol_pin_count  SourceMissing",
      "    package_family  Disagree",
      "    ! families differ",
      "    ! second",
      "  a_name_longer_than_sixteen  Agree",
      "                 \xc3\xa9  Agree",
      "Hints:",
      "  - {\"action\":\"human_review\",\"reason\":\"why\",\"notes\":\"n\"}",
      "  - ",
  };
  EXPECT_EQ(inspect_summary_lines(divergent_document()), expected);
}

TEST(InspectSummary, NoMissingLineAndNoHintsBlockWhenEmpty) {
  ResultDoc doc;
  doc.status = Status::GoldenWithVariants;
  doc.exit_code = 0;
  doc.mpn = "M";
  const std::vector<std::string> expected = {
      "MPN: M \u2014 status: GoldenWithVariants, exit_code: 0",
      "Sources compared: []",
      "Axes:",
  };
  EXPECT_EQ(inspect_summary_lines(doc), expected);
}

}  // namespace
}  // namespace tessan
