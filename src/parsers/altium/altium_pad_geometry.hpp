// The geometry of an Altium footprint pad in the normalized form.
#pragma once

#include "altium_pcblib/footprint.hpp"
#include "compare/source_data.hpp"

namespace tessan {

// The pad as the footprint reader describes it, with y turned back to point up. Through-hole
// pads are plated and on both sides; an SMD pad on the back layers is on the bottom.
PadGeometry pad_geometry_of(const altium::Pad& pad);

}  // namespace tessan
