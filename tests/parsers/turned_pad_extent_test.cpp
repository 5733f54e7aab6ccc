// The extent of a turned pad along the footprint's axes, by shape.
#include "parsers/turned_pad_extent.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace tessan {
namespace {

TEST(TurnedPadExtent, ByShapeAndTurn) {
  const double diagonal = std::sqrt(0.5);
  struct Case {
    PadExtentXY size;
    double degrees;
    PadShape shape;
    PadExtentXY extent;
  };
  const Case cases[] = {
      {{2, 1}, 0, PadShape::Rect, {2, 1}},
      {{2, 1}, 90, PadShape::Rect, {1, 2}},
      {{2, 1}, -270, PadShape::Rounded, {1, 2}},
      {{2, 1}, 180, PadShape::Rect, {2, 1}},
      {{2, 1}, 45, PadShape::Rect, {3 * diagonal, 3 * diagonal}},
      {{2, 1}, 45, PadShape::Oval, {diagonal + 1, diagonal + 1}},
      {{1, 3}, 90, PadShape::Oval, {3, 1}},
      {{1, 1}, 30, PadShape::Circle, {1, 1}},
      {{2, 1}, NAN, PadShape::Rect, {2, 1}},
  };
  for (const auto& c : cases) {
    const PadExtentXY extent = turned_pad_extent(c.size, c.degrees, c.shape);
    EXPECT_NEAR(extent.w, c.extent.w, 1e-12) << c.degrees;
    EXPECT_NEAR(extent.h, c.extent.h, 1e-12) << c.degrees;
  }
}

}  // namespace
}  // namespace tessan
