// Pad geometry of KiCad footprints: position with y turned up, extent after rotation, kind,
// drill, side, copper and paste.
#include <gtest/gtest.h>

#include <string>

#include "parsers/kicad/kicad_footprint.hpp"
#include "parsers/kicad/tokenize_sexpr.hpp"
#include "support/pad_geometry_print.hpp"

namespace tessan {
namespace {

constexpr auto kSmd = PadKind::Smd;
constexpr auto kPlated = PadKind::PlatedHole;
constexpr auto kHole = PadKind::NonPlatedHole;
constexpr auto kTop = PadSide::Top;
constexpr auto kBottom = PadSide::Bottom;
constexpr auto kBoth = PadSide::Both;

std::optional<std::vector<PadGeometry>> geometry_of(const std::string& pads) {
  return extract_kicad_footprint(tokenize_sexpr("(footprint \"F\" " + pads + ")").tokens())
      .pad_geometry;
}

TEST(KicadPadGeometry, EachPadListGivesItsGeometry) {
  struct Case {
    const char* pad;
    PadGeometry geometry;
  };
  const Case cases[] = {
      {"(pad 1 smd rect (at 1.5 -2) (size 0.6 1.2) (layers \"F.Cu\" \"F.Paste\" \"F.Mask\"))",
       {1.5, 2, 0.6, 1.2, 0, kSmd, 0, kTop, true, true, PadShape::Rect}},
      {"(pad 2 smd roundrect (at 0 1 90) (size 0.6 1.2) (layers B.Cu B.Mask))",
       {0, -1, 1.2, 0.6, 90, kSmd, 0, kBottom, true, false, PadShape::Rounded}},
      {"(pad 3 thru_hole circle (at 2 2) (size 1.7 1.7) (drill 1) (layers *.Cu *.Mask))",
       {2, -2, 1.7, 1.7, 0, kPlated, 1, kBoth, true, false, PadShape::Circle}},
      {"(pad 4 thru_hole oval (at 0 0 270) (size 2 1) (drill oval 1.2 0.8 (offset 0.1 0)) "
       "(layers *.Cu))",
       {0, 0, 1, 2, 270, kPlated, 0.8, kBoth, true, false, PadShape::Oval}},
      {"(pad \"\" np_thru_hole circle (at 3 0) (size 1 1) (drill 1) (layers *.Cu *.Mask))",
       {3, 0, 1, 1, 0, kHole, 1, kBoth, false, false, PadShape::Circle}},
      {"(pad 5 smd rect (at 0 0) (size 1 1) (layers F&B.Cu))",
       {0, 0, 1, 1, 0, kSmd, 0, kBoth, true, false, PadShape::Rect}},
      {"(pad \"\" smd rect (at 0 0) (size 1 1) (layers F.Paste))",
       {0, 0, 1, 1, 0, kSmd, 0, kTop, false, true, PadShape::Rect}},
      {"(pad 6 connect custom (at 0 0) (size 1 2) (layers F.Cu F.Mask))",
       {0, 0, 1, 2, 0, kSmd, 0, kTop, true, false, PadShape::Rect}},
      {"(pad 7 smd rect (size 1 2) (at 1 1) (at 5 5) (layers F.Cu))",
       {1, -1, 1, 2, 0, kSmd, 0, kTop, true, false, PadShape::Rect}},
  };
  for (const auto& c : cases) {
    const auto geometry = geometry_of(c.pad);
    ASSERT_TRUE(geometry) << c.pad;
    EXPECT_EQ(*geometry, std::vector{c.geometry}) << c.pad;
  }
}

TEST(KicadPadGeometry, AbsentWhenAnyPadLacksPositionOrSize) {
  const std::string good = "(pad 1 smd rect (at 0 0) (size 1 1) (layers F.Cu))";
  for (const std::string bad :
       {"(pad 2 smd rect (size 1 1))", "(pad 2 smd rect (at 0 0))", "(pad 2 smd rect (at 0))",
        "(pad 2 smd rect (at x 0) (size 1 1))", "(pad 2 smd rect (at 0 0) (size 1 nan))",
        "(pad 2 smd rect (at 0 0) (size -1 1))", "(pad 2 smd rect (at 0 0 0 0) (size 1 1))",
        "(pad 2 smd (at 0 0) (size 1 1) (pad 3 smd (at 0 0) (size 1 1)))"}) {
    EXPECT_FALSE(geometry_of(good + bad)) << bad;
  }
  EXPECT_EQ(geometry_of(good + good)->size(), 2u);
  EXPECT_EQ(geometry_of(""), std::vector<PadGeometry>{});
  EXPECT_EQ(geometry_of("(pad 1 smd rect (at 0 0) (size 1 1)")->size(), 1u) << "unclosed";
}

}  // namespace
}  // namespace tessan
