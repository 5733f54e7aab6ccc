// Classification of benign differences between the sources, after the axes are judged.
#pragma once

#include <vector>

#include "compare/geometry/geometry_analysis.hpp"
#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

// The variants that explain disagreements of `axes` (the seven finished outcomes) over the
// participating `sources`, with their footprints overlaid in `geometry`. Variants explain;
// they never change a verdict.
std::vector<Variant> classify_variants(const std::vector<AxisOutcome>& axes,
                                       const SourceRefs& sources, const GeometryAnalysis& geometry);

}  // namespace tessan
