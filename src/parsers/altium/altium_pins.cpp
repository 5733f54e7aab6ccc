#include "parsers/altium/altium_pins.hpp"

#include <string_view>
#include <utility>

#include "compare/pin_text.hpp"

namespace tessan {

std::string altium_overbar_name(std::string_view name) {
  // Split into characters, each marked when a backslash follows it.
  std::vector<std::pair<std::string_view, bool>> characters;
  for (std::size_t i = 0; i < name.size();) {
    if (name[i] == '\\') {
      if (!characters.empty()) characters.back().second = true;
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) ++end;
    characters.emplace_back(name.substr(i, end - i), false);
    i = end;
  }
  std::string result;
  bool in_bar = false;
  for (const auto& [character, barred] : characters) {
    if (barred && !in_bar) result += "~{";
    if (!barred && in_bar) result += "}";
    in_bar = barred;
    result += character;
  }
  if (in_bar) result += "}";
  return result;
}

std::vector<Pin> pins_from_component(const altium::Component& component) {
  std::vector<Pin> pins;
  pins.reserve(component.pins.size());
  for (const altium::SchPin& sch_pin : component.pins) {
    if (sch_pin.number.empty()) continue;
    pins.push_back(make_pin(sch_pin.number, altium_overbar_name(sch_pin.name)));
  }
  return pins;
}

}  // namespace tessan
