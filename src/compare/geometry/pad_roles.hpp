// What each pad of one footprint is (ring, exposed pad, via, ...), and whether the footprint
// is fit to be compared by position.
#pragma once

#include "compare/geometry/geometry_analysis.hpp"

namespace tessan {

// Fills `labels`, `origin_*`, `roles` and `usable` of a footprint whose `source` carries
// one geometry entry per pad.
void assign_pad_roles(FootprintGeometry& footprint);

bool is_copper_role(PadRole role);

// Ring pads and numbered mount pads: the pads that alignment pairs.
bool is_matchable(const FootprintGeometry& footprint, std::size_t pad);

}  // namespace tessan
