// The two judgements on an aligned pair of footprints: a different package, and the same
// pad positions numbered differently.
#pragma once

#include <optional>
#include <string>

#include "compare/geometry/geometry_analysis.hpp"

namespace tessan {

// "Footprint geometry differs between {a} and {b}: {reasons}", or nothing. Marks the pads
// behind the reasons in both footprints' `in_conflict`.
std::optional<std::string> package_difference(std::vector<FootprintGeometry>& footprints,
                                              const PairAlignment& pair);

// "{a} and {b} number the same pad positions differently (...)", or nothing. Marks the
// clashing pads.
std::optional<std::string> numbering_difference(std::vector<FootprintGeometry>& footprints,
                                                const PairAlignment& pair);

}  // namespace tessan
