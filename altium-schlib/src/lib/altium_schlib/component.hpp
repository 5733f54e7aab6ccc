// The typed form of the component that a schematic library describes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace altium {

// One pin, with its coordinates as stored (schematic units).
struct SchPin {
  std::string number;
  std::string name;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t length = 0;
  std::uint8_t conglomerate = 0;

  // The orientation in degrees: 0, 90, 180 or 270.
  std::uint32_t rotation() const { return (conglomerate & 3u) * 90u; }
  bool operator==(const SchPin&) const = default;
};

// The body rectangle, as stored. A coordinate that is not finite is kept as such.
struct SchBody {
  double x1 = 0;
  double y1 = 0;
  double x2 = 0;
  double y2 = 0;

  bool operator==(const SchBody&) const = default;
};

struct Component {
  std::string module_name;  // the name of the component's storage
  std::string description;
  std::int64_t part_count = 1;
  std::vector<SchPin> pins;
  std::optional<SchBody> body;

  bool operator==(const Component&) const = default;
};

}  // namespace altium
