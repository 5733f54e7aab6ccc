// Pitch, spans and mounting of a footprint's ring pads.
#pragma once

#include "compare/geometry/geometry_analysis.hpp"

namespace tessan {

// Fills `pitch`, `span_x`, `span_y` and `mounting` from the roles.
void measure_footprint(FootprintGeometry& footprint);

}  // namespace tessan
