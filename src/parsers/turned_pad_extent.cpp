#include "parsers/turned_pad_extent.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessan {

namespace {

struct Turn {
  double cos = 1;  // absolute values: only extents are wanted
  double sin = 0;
};

Turn turn_of(double degrees) {
  if (!std::isfinite(degrees)) return {};
  const double quarters = degrees / 90.0;
  if (quarters == std::round(quarters)) {
    const bool odd = std::fmod(std::fabs(quarters), 2.0) == 1.0;
    return odd ? Turn{0, 1} : Turn{1, 0};
  }
  const double radians = degrees * std::numbers::pi / 180.0;
  return {std::fabs(std::cos(radians)), std::fabs(std::sin(radians))};
}

}  // namespace

PadExtentXY turned_pad_extent(PadExtentXY size, double degrees, PadShape shape) {
  if (shape == PadShape::Circle) return size;
  const Turn turn = turn_of(degrees);
  if (shape == PadShape::Oval) {
    const double side = std::min(size.w, size.h);
    const double reach = std::max(size.w, size.h) - side;
    const Turn along = size.w >= size.h ? turn : Turn{turn.sin, turn.cos};
    return {reach * along.cos + side, reach * along.sin + side};
  }
  return {size.w * turn.cos + size.h * turn.sin, size.w * turn.sin + size.h * turn.cos};
}

}  // namespace tessan
