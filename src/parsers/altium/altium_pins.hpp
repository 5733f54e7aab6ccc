// The pins of an Altium component in the normalized form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "altium_schlib/component.hpp"
#include "compare/source_data.hpp"

namespace tessan {

// The name with Altium's overbar marks (a backslash after each barred character) written as
// the active-low form "~{...}" around each barred run: R\S\T\ -> ~{RST}, A\B -> ~{A}B.
std::string altium_overbar_name(std::string_view name);

// One pin per component pin with a designator, in component order, cleaned as every reader
// cleans pins (`make_pin`) after `altium_overbar_name`; a pin whose cleaned name is empty or
// repeats its number is a stub.
std::vector<Pin> pins_from_component(const altium::Component& component);

}  // namespace tessan
