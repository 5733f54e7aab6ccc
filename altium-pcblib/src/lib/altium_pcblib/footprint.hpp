// The typed form of the footprints of an Altium footprint library.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace altium {

enum class PadType { ThruHole, Smd };
enum class PadShape { Circle, Oval, RoundRect, Rect };
// The copper, paste and mask layers a pad sits on.
enum class PadLayers { AllLayers, Front, Back };

// One pad, in millimetres and degrees. Positions, sizes and the rotation are already rounded
// (6 decimals for lengths, 4 for the rotation); the drill diameter is not.
struct Pad {
  std::string number;
  PadType type = PadType::Smd;
  PadShape shape = PadShape::Rect;
  PadLayers layers = PadLayers::Front;
  double x_mm = 0;
  double y_mm = 0;
  double rotation_deg = 0;
  double size_x_mm = 0;
  double size_y_mm = 0;
  double drill_mm = 0;  // meaningful for through-hole pads only

  bool operator==(const Pad&) const = default;
};

// One footprint of the library, or, when `parse_error` is set, a footprint whose stream could
// be read but not framed (its name is then the storage name and it has no pads).
struct FootprintEntry {
  std::string module_name;
  std::vector<Pad> pads;
  std::optional<std::string> parse_error;

  bool operator==(const FootprintEntry&) const = default;
};

}  // namespace altium
