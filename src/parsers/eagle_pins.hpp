// The pins of an EAGLE library's chosen device, from its pin-to-pad connections.
#pragma once

#include <string_view>
#include <vector>

#include "compare/source_data.hpp"
#include "parsers/eagle_library.hpp"

namespace tessan {

// The connections of the device that named the chosen package, or of every device when none
// did. A connection naming several blank-separated pads gives one pin per pad; a pin name's
// "@" suffixes ("GND@2", which EAGLE needs for pins sharing a name) are dropped; each
// distinct (pad, name) pair is kept once, in order of first occurrence.
std::vector<Pin> eagle_pins(const EagleLibrary& library);

}  // namespace tessan
