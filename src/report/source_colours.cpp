#include "report/source_colours.hpp"

#include <array>
#include <cstddef>

namespace tessan::report {

std::string_view source_colour(std::string_view name, std::size_t index) {
  if (name == "quarn") return "#7c3aed";
  if (name == "kicad") return "#2563eb";
  if (name == "eagle") return "#dc2626";
  if (name == "altium") return "#0d9488";
  static constexpr std::array<std::string_view, 3> kSpare = {"#ca8a04", "#db2777", "#4b5563"};
  return kSpare[index % kSpare.size()];
}

}  // namespace tessan::report
