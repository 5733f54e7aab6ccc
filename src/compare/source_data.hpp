// The normalized record that every reader produces for one source.
#pragma once

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

struct SourceData {
  std::string name;  // "quarn", "kicad", "eagle" or "altium"
  std::optional<PackageInfo> package;
  std::vector<std::string> pads;  // pad labels as spelt, duplicates kept, reader order
  std::vector<Pin> pins;          // reader order

  bool operator==(const SourceData&) const = default;
};

// A pin with no proper name: empty, or merely repeating its number (byte for byte).
inline bool is_stub_name(const std::string& name, const std::string& number) {
  return name.empty() || name == number;
}

}  // namespace tessan
