// The JSON form of a component: the component document.
#pragma once

#include <nlohmann/json.hpp>

#include "altium_schlib/component.hpp"

namespace altium {

nlohmann::json pin_to_json(const SchPin& pin);

// "module_name", "description", "part_count", "pin_count", "pins", "body", "_source".
nlohmann::json component_document(const Component& component);

}  // namespace altium
