// Pad geometry of the chosen EAGLE package: smd and pad elements with their rotations, sides,
// paste and drill-derived copper.
#include <gtest/gtest.h>

#include <string>

#include "eagle_library_text.hpp"
#include "parsers/eagle_reader.hpp"
#include "support/pad_geometry_print.hpp"
#include "support/test_support.hpp"

namespace tessan {
namespace {

constexpr auto kSmd = PadKind::Smd;
constexpr auto kPlated = PadKind::PlatedHole;
constexpr auto kTop = PadSide::Top;
constexpr auto kBottom = PadSide::Bottom;
constexpr auto kBoth = PadSide::Both;

class EaglePadGeometryTest : public ::testing::Test {
 protected:
  std::optional<std::vector<PadGeometry>> geometry_of(const std::string& elements) {
    const auto text = testing::EagleLibraryText()
                          .raw_package("<package name=\"P\">" + elements + "</package>")
                          .device("P", {})
                          .text();
    const auto record = read_eagle(dir_.write("p.lbr", text));
    EXPECT_TRUE(record.ok());
    return record.ok() ? record->pad_geometry : std::nullopt;
  }
  testing::TempDir dir_;
};

TEST_F(EaglePadGeometryTest, EachElementGivesItsGeometry) {
  struct Case {
    const char* element;
    PadGeometry geometry;
  };
  const Case cases[] = {
      {R"(<smd name="1" x="-2.7" y="1.9" dx="0.6" dy="1.5" layer="1"/>)",
       {-2.7, 1.9, 0.6, 1.5, 0, kSmd, 0, kTop, true, true, PadShape::Rect}},
      {R"(<smd name="1" x="0" y="0" dx="0.6" dy="1.5" layer="16" rot="R90" roundness="25"/>)",
       {0, 0, 1.5, 0.6, 90, kSmd, 0, kBottom, true, true, PadShape::Rounded}},
      {R"(<smd name="1" x="0" y="0" dx="1" dy="2" layer="1" rot="MR90" cream="no"/>)",
       {0, 0, 2, 1, 90, kSmd, 0, kBottom, true, false, PadShape::Rect}},
      {R"(<smd name="1" x="0" y="0" dx="1" dy="2" layer="1" rot="SR270" roundness="100"/>)",
       {0, 0, 2, 1, 270, kSmd, 0, kTop, true, true, PadShape::Oval}},
      {R"(<smd name="1" x="0" y="0" dx="1" dy="1" layer="1" rot="bogus" roundness="100"/>)",
       {0, 0, 1, 1, 0, kSmd, 0, kTop, true, true, PadShape::Circle}},
      {R"(<pad name="1" x="1" y="2" drill="1" diameter="1.8"/>)",
       {1, 2, 1.8, 1.8, 0, kPlated, 1, kBoth, true, false, PadShape::Circle}},
      // No diameter: the ring is a quarter of the drill, at least 0.254 and at most 0.508.
      {R"(<pad name="1" x="0" y="0" drill="0.4" shape="square"/>)",
       {0, 0, 0.908, 0.908, 0, kPlated, 0.4, kBoth, true, false, PadShape::Rect}},
      {R"(<pad name="1" x="0" y="0" drill="1.6"/>)",
       {0, 0, 2.4, 2.4, 0, kPlated, 1.6, kBoth, true, false, PadShape::Circle}},
      {R"(<pad name="1" x="0" y="0" drill="3"/>)",
       {0, 0, 4.016, 4.016, 0, kPlated, 3, kBoth, true, false, PadShape::Circle}},
      {R"(<pad name="1" x="0" y="0" drill="1" diameter="1.5" shape="long" rot="R90"/>)",
       {0, 0, 1.5, 3, 90, kPlated, 1, kBoth, true, false, PadShape::Oval}},
      {R"(<pad name="1" x="0" y="0" drill="1" diameter="1.5" shape="offset"/>)",
       {0, 0, 3, 1.5, 0, kPlated, 1, kBoth, true, false, PadShape::Oval}},
  };
  for (const auto& c : cases) {
    const auto geometry = geometry_of(c.element);
    ASSERT_TRUE(geometry && geometry->size() == 1) << c.element;
    const PadGeometry& pad = geometry->front();
    EXPECT_NEAR(pad.w, c.geometry.w, 1e-12) << c.element;
    EXPECT_NEAR(pad.h, c.geometry.h, 1e-12) << c.element;
    PadGeometry exact = pad;
    exact.w = c.geometry.w;
    exact.h = c.geometry.h;
    EXPECT_EQ(exact, c.geometry) << c.element;
  }
}

TEST_F(EaglePadGeometryTest, AbsentWhenAnyPadLacksPositionOrSize) {
  const std::string good = R"(<smd name="1" x="0" y="0" dx="1" dy="1" layer="1"/>)";
  for (const std::string bad : {
           R"(<smd name="2" x="0" dx="1" dy="1" layer="1"/>)",
           R"(<smd name="2" x="0" y="0" dy="1" layer="1"/>)",
           R"(<smd name="2" x="inf" y="0" dx="1" dy="1" layer="1"/>)",
           R"(<smd name="2" x="0" y="0" dx="-1" dy="1" layer="1"/>)",
           R"(<pad name="2" x="0" y="0" diameter="1"/>)",
           R"(<pad name="2" x="0" y="nan" drill="1"/>)",
       }) {
    EXPECT_FALSE(geometry_of(good + bad)) << bad;
  }
  const std::string unnamed = R"(<smd x="9" y="9" dx="1" dy="1" layer="1"/>)";
  EXPECT_EQ(geometry_of(good + unnamed + good)->size(), 2u) << "only labelled pads count";
  EXPECT_EQ(geometry_of(""), std::vector<PadGeometry>{});
}

}  // namespace
}  // namespace tessan
