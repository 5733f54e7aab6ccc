// The pins of an Altium component in the normalized form.
#pragma once

#include <vector>

#include "altium_schlib/component.hpp"
#include "compare/source_data.hpp"

namespace tessan {

// One pin per component pin with a designator, in component order. Backslashes (Altium's
// overbar marks) are removed from names; a pin whose cleaned name is empty or repeats its
// number is a stub.
std::vector<Pin> pins_from_component(const altium::Component& component);

}  // namespace tessan
