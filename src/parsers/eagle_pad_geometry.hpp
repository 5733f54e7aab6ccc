// The geometry of an EAGLE package's smd and pad elements in the normalized form.
#pragma once

#include <optional>
#include <string_view>

#include "compare/source_data.hpp"

namespace tessan {

// The attribute texts of one smd or pad element that its geometry depends on; absent ones
// are null.
struct EaglePadAttributes {
  std::optional<std::string_view> x;
  std::optional<std::string_view> y;
  std::optional<std::string_view> rot;  // "R90", "MR90", "SR90": M mirrors to the bottom
  // smd
  std::optional<std::string_view> dx;
  std::optional<std::string_view> dy;
  std::optional<std::string_view> layer;  // "16" is the bottom
  std::optional<std::string_view> cream;  // "no": no paste
  std::optional<std::string_view> roundness;
  // pad
  std::optional<std::string_view> drill;
  std::optional<std::string_view> diameter;
  std::optional<std::string_view> shape;  // "long" and "offset" double the width
};

// An smd element; nothing when its position or size is missing or not a finite number.
std::optional<PadGeometry> eagle_smd_geometry(const EaglePadAttributes& smd);

// A pad element (a plated hole on both sides); nothing when its position or drill is missing
// or not a finite number. Without a diameter its copper is the drill plus a ring of a quarter
// of the drill, kept within 0.254 to 0.508 mm.
std::optional<PadGeometry> eagle_through_pad_geometry(const EaglePadAttributes& pad);

}  // namespace tessan
