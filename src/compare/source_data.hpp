// The normalized record that every reader produces for one source.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessan {

struct Pin {
  std::string number;
  std::string name;
  bool is_stub = false;

  bool operator==(const Pin&) const = default;
};

struct PackageInfo {
  std::optional<double> body_x_mm;
  std::optional<double> body_y_mm;
  std::string package_name;

  bool operator==(const PackageInfo&) const = default;
};

enum class PadKind : std::uint8_t { Smd, PlatedHole, NonPlatedHole };
enum class PadSide : std::uint8_t { Top, Bottom, Both };
// How a pad is drawn; the comparison itself looks only at its extent.
enum class PadShape : std::uint8_t { Rect, Rounded, Circle, Oval };

// Where one pad of a footprint lies and what it is made of. Millimetres, y pointing up.
struct PadGeometry {
  double x = 0;
  double y = 0;
  double w = 0;         // extent along x after the pad's own rotation
  double h = 0;         // extent along y after the pad's own rotation
  double rotation = 0;  // degrees, counter-clockwise
  PadKind kind = PadKind::Smd;
  double drill = 0;  // 0 without a hole; an oval slot counts as its smaller side
  PadSide side = PadSide::Top;
  bool has_copper = true;
  bool has_paste = true;
  PadShape shape = PadShape::Rect;

  bool operator==(const PadGeometry&) const = default;
};

struct SourceData {
  std::string name;  // "quarn", "kicad", "eagle" or "altium"
  std::optional<PackageInfo> package;
  std::vector<std::string> pads;  // pad labels as spelt, duplicates kept, reader order
  std::vector<Pin> pins;          // reader order
  // One entry per entry of `pads`, same order. Absent when the source carries no geometry
  // (quarn) or when any pad lacks a position or a size.
  std::optional<std::vector<PadGeometry>> pad_geometry;

  bool operator==(const SourceData&) const = default;
};

// A pin with no proper name: empty, or merely repeating its number (byte for byte).
inline bool is_stub_name(const std::string& name, const std::string& number) {
  return name.empty() || name == number;
}

}  // namespace tessan
