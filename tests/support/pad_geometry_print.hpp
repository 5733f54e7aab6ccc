// Readable failure output for pad geometry in tests.
#pragma once

#include <ostream>

#include "compare/source_data.hpp"

namespace tessan {

inline void PrintTo(const PadGeometry& pad, std::ostream* out) {
  *out << "{x " << pad.x << ", y " << pad.y << ", w " << pad.w << ", h " << pad.h << ", rot "
       << pad.rotation << ", kind " << static_cast<int>(pad.kind) << ", drill " << pad.drill
       << ", side " << static_cast<int>(pad.side) << ", copper " << pad.has_copper << ", paste "
       << pad.has_paste << ", shape " << static_cast<int>(pad.shape) << "}";
}

}  // namespace tessan
