// The extent of a pad along the footprint's axes once the pad is turned by its own rotation.
#pragma once

#include "compare/source_data.hpp"

namespace tessan {

struct PadExtentXY {
  double w = 0;  // along x
  double h = 0;  // along y

  bool operator==(const PadExtentXY&) const = default;
};

// `size` is the pad's extent before it is turned `degrees` counter-clockwise. A circle keeps its
// extent, an oval is a stadium (a segment swept by a circle of its smaller side), every other
// shape is taken as its rectangle. Quarter turns are exact.
PadExtentXY turned_pad_extent(PadExtentXY size, double degrees, PadShape shape);

}  // namespace tessan
