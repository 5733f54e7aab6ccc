#include "parsers/eagle_pad_geometry.hpp"

#include <algorithm>
#include <cmath>

#include "parsers/eagle_number.hpp"
#include "parsers/turned_pad_extent.hpp"

namespace tessan {

namespace {

constexpr double kSmallestRing = 0.254;
constexpr double kLargestRing = 0.508;
constexpr double kRingPerDrill = 0.25;

struct Rotation {
  double degrees = 0;
  bool mirrored = false;
};

std::optional<double> finite(const std::optional<std::string_view>& text) {
  if (!text) return std::nullopt;
  const auto value = parse_eagle_number(*text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<double> size(const std::optional<std::string_view>& text) {
  const auto value = finite(text);
  if (!value || *value < 0) return std::nullopt;
  return value;
}

// "[S][M]R<angle>", the spin and mirror flags in either order; anything else is no turn.
Rotation rotation_of(const std::optional<std::string_view>& text) {
  if (!text) return {};
  std::string_view rest = *text;
  Rotation rotation;
  while (!rest.empty() && (rest.front() == 'S' || rest.front() == 'M')) {
    if (rest.front() == 'M') rotation.mirrored = true;
    rest.remove_prefix(1);
  }
  if (rest.empty() || rest.front() != 'R') return {};
  const auto degrees = finite(rest.substr(1));
  if (!degrees) return {};
  rotation.degrees = *degrees;
  return rotation;
}

PadShape smd_shape(const std::optional<std::string_view>& roundness, double dx, double dy) {
  const auto percent = finite(roundness);
  if (!percent || *percent <= 0) return PadShape::Rect;
  if (*percent < 100) return PadShape::Rounded;
  return dx == dy ? PadShape::Circle : PadShape::Oval;
}

void place(PadGeometry& pad, double x, double y, PadExtentXY size, Rotation rotation) {
  pad.x = x;
  pad.y = y;
  pad.rotation = rotation.degrees;
  const PadExtentXY extent = turned_pad_extent(size, rotation.degrees, pad.shape);
  pad.w = extent.w;
  pad.h = extent.h;
}

}  // namespace

std::optional<PadGeometry> eagle_smd_geometry(const EaglePadAttributes& smd) {
  const auto x = finite(smd.x);
  const auto y = finite(smd.y);
  const auto dx = size(smd.dx);
  const auto dy = size(smd.dy);
  if (!x || !y || !dx || !dy) return std::nullopt;
  const Rotation rotation = rotation_of(smd.rot);
  PadGeometry pad;
  pad.kind = PadKind::Smd;
  pad.shape = smd_shape(smd.roundness, *dx, *dy);
  place(pad, *x, *y, {*dx, *dy}, rotation);
  pad.side = rotation.mirrored || smd.layer == "16" ? PadSide::Bottom : PadSide::Top;
  pad.has_copper = true;
  pad.has_paste = smd.cream != "no";
  return pad;
}

std::optional<PadGeometry> eagle_through_pad_geometry(const EaglePadAttributes& through) {
  const auto x = finite(through.x);
  const auto y = finite(through.y);
  const auto drill = size(through.drill);
  if (!x || !y || !drill) return std::nullopt;
  const double ring = std::clamp(kRingPerDrill * *drill, kSmallestRing, kLargestRing);
  const double diameter = size(through.diameter).value_or(*drill + 2 * ring);
  const bool elongated = through.shape == "long" || through.shape == "offset";
  PadGeometry pad;
  pad.kind = PadKind::PlatedHole;
  pad.shape = elongated                   ? PadShape::Oval
              : through.shape == "square" ? PadShape::Rect
                                          : PadShape::Circle;
  place(pad, *x, *y, {elongated ? 2 * diameter : diameter, diameter}, rotation_of(through.rot));
  pad.drill = *drill;
  pad.side = PadSide::Both;
  pad.has_copper = true;
  pad.has_paste = false;
  return pad;
}

}  // namespace tessan
