// The footprints section of the review page: every source's pads overlaid in one drawing,
// a legend with a show/hide toggle per source, and each footprint alone beside it.
#pragma once

#include <string>
#include <vector>

#include "compare/geometry/geometry_analysis.hpp"
#include "compare/source_data.hpp"

namespace tessan::report {

std::string footprint_section(const std::vector<SourceData>& records,
                              const GeometryAnalysis& geometry);

}  // namespace tessan::report
