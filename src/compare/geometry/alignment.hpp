// The overlay of two usable footprints: the quarter turn and shift that lay one on the other,
// and the pads that then pair up.
#pragma once

#include "compare/geometry/geometry_analysis.hpp"

namespace tessan {

// Aligns footprints `first` and `second` (indices into `footprints`); never mirrors.
PairAlignment align_footprints(const std::vector<FootprintGeometry>& footprints, std::size_t first,
                               std::size_t second);

// A pad of `footprint` centred on its frame, turned by `quarter_turns` counter-clockwise
// and shifted.
PadGeometry placed_pad(const FootprintGeometry& footprint, std::size_t pad, int quarter_turns,
                       double shift_x, double shift_y);

// True when the best pairing covers enough of the smaller match set to judge numbering.
bool pairs_most(const PairAlignment& pair);

// True when the pairing covers nearly all of the larger match set: one land pattern.
bool pairs_nearly_all(const PairAlignment& pair);

}  // namespace tessan
