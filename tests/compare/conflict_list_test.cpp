// The bounds on one axis's conflict lines and on the length of every text it shows.
#include "compare/conflict_list.hpp"

#include <gtest/gtest.h>

#include "compare/compare_sources.hpp"
#include "compare/source_builder.hpp"

namespace tessan {
namespace {

using testing::source;

const AxisOutcome& axis_named(const ComparisonReport& report, std::string_view name) {
  for (const AxisOutcome& axis : report.axes) {
    if (axis.axis == name) return axis;
  }
  throw std::logic_error("no axis " + std::string(name));
}

// Two sources whose `count` pins all differ in name, and whose names sit on other pads.
ComparisonReport pins_all_differing(int count) {
  testing::SourceBuilder quarn = source("quarn");
  testing::SourceBuilder kicad = source("kicad");
  for (int i = 1; i <= count; ++i) {
    quarn.pin(std::to_string(i), "A" + std::to_string(i));
    kicad.pin(std::to_string(i % count + 1), "A" + std::to_string(i));
  }
  return compare_sources({quarn, kicad});
}

TEST(ConflictList, PastOneHundredLinesTheLastSaysHowManyWereLeftOut) {
  const ComparisonReport report = pins_all_differing(150);
  for (const char* name : {"pin_names", "pin_to_pad_map"}) {
    const AxisOutcome& axis = axis_named(report, name);
    EXPECT_EQ(axis.verdict, Verdict::Disagree) << name;
    ASSERT_EQ(axis.conflicts.size(), kMaxConflictLines) << name;
    EXPECT_EQ(axis.conflicts.back(), "\u2026 and 51 more") << name;
    EXPECT_EQ(axis.conflicts[98].rfind("pin ", 0), 0u) << name;
  }
  EXPECT_EQ(axis_named(report, "pin_to_pad_map").conflicts.front(),
            "pin A1: quarn=pad 1 but kicad=pad 2");
}

TEST(ConflictList, OneHundredLinesAreKeptWhole) {
  const ComparisonReport report = pins_all_differing(100);
  const AxisOutcome& axis = axis_named(report, "pin_to_pad_map");
  ASSERT_EQ(axis.conflicts.size(), 100u);
  EXPECT_EQ(axis.conflicts.back(), "pin A99: quarn=pad 99 but kicad=pad 100");
}

TEST(ConflictList, LongTextsAreCutAtACharacterBoundary) {
  struct Row {
    std::string given;
    std::string kept;
  };
  const std::string fits(kMaxDisplayTextBytes, 'x');
  // "é" is two bytes: a cut after 1021 bytes would split one, so 1020 are kept.
  std::string two_byte;
  while (two_byte.size() < 1200) two_byte += "\xc3\xa9";
  const Row rows[] = {
      {fits, fits},
      {fits + "y", std::string(kMaxDisplayTextBytes - 3, 'x') + "\u2026"},
      {two_byte, two_byte.substr(0, 1020) + "\u2026"},
  };
  for (const auto& row : rows) {
    std::string text = row.given;
    clip_display_text(text);
    EXPECT_EQ(text, row.kept);
    EXPECT_LE(text.size(), kMaxDisplayTextBytes);
  }
}

TEST(ConflictList, NamesOfAMegabyteGiveShortValuesAndLines) {
  const std::string huge(1 << 20, 'N');
  const ComparisonReport report =
      compare_sources({source("quarn").pin("1", huge + "1").package(huge),
                       source("kicad").pin("1", huge + "2").package("SOIC-8")});
  for (const AxisOutcome& axis : report.axes) {
    for (const auto& [name, value] : axis.values) EXPECT_LE(value.size(), kMaxDisplayTextBytes);
    for (const auto& line : axis.conflicts) EXPECT_LE(line.size(), kMaxDisplayTextBytes);
  }
  const AxisOutcome& names = axis_named(report, "pin_names");
  ASSERT_EQ(names.conflicts.size(), 1u);
  EXPECT_EQ(names.conflicts[0].rfind("pin 1: quarn=NNN", 0), 0u);
  EXPECT_TRUE(names.conflicts[0].ends_with("N\u2026"));
}

}  // namespace
}  // namespace tessan
