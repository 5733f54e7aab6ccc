#include "parsers/altium/altium_pins.hpp"

#include <algorithm>

namespace tessan {

namespace {

std::string without_backslashes(std::string name) {
  std::erase(name, '\\');
  return name;
}

}  // namespace

std::vector<Pin> pins_from_component(const altium::Component& component) {
  std::vector<Pin> pins;
  pins.reserve(component.pins.size());
  for (const altium::SchPin& sch_pin : component.pins) {
    if (sch_pin.number.empty()) continue;
    Pin pin;
    pin.number = sch_pin.number;
    pin.name = without_backslashes(sch_pin.name);
    pin.is_stub = is_stub_name(pin.name, pin.number);
    pins.push_back(std::move(pin));
  }
  return pins;
}

}  // namespace tessan
