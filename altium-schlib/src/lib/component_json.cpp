#include "altium_schlib/component_json.hpp"

#include <cmath>

namespace altium {

namespace {

nlohmann::json coordinate_json(double value) {
  if (!std::isfinite(value)) return nullptr;
  return value;
}

nlohmann::json body_json(const std::optional<SchBody>& body) {
  if (!body) return nullptr;
  return {
      {"x1", coordinate_json(body->x1)},
      {"y1", coordinate_json(body->y1)},
      {"x2", coordinate_json(body->x2)},
      {"y2", coordinate_json(body->y2)},
  };
}

}  // namespace

nlohmann::json pin_to_json(const SchPin& pin) {
  return {
      {"number", pin.number},
      {"name", pin.name},
      {"x", pin.x},
      {"y", pin.y},
      {"length", pin.length},
      {"rotation", pin.rotation()},
      {"conglomerate", pin.conglomerate},
  };
}

nlohmann::json component_document(const Component& component) {
  nlohmann::json pins = nlohmann::json::array();
  for (const SchPin& pin : component.pins) pins.push_back(pin_to_json(pin));
  return {
      {"module_name", component.module_name},
      {"description", component.description},
      {"part_count", component.part_count},
      {"pin_count", component.pins.size()},
      {"pins", std::move(pins)},
      {"body", body_json(component.body)},
      {"_source", "altium_schlib"},
  };
}

}  // namespace altium
