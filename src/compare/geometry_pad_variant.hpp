// The pad variant step when at least two footprints carry usable geometry: pad roles decide
// what a pad is before any label rule does.
#pragma once

#include <optional>

#include "compare/geometry/geometry_analysis.hpp"
#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

// Vias, paste and holes leave the electrical pads; a label that only some footprints hold is
// judged by where its pads lie; exposed pads must carry an exposed-pad label. Nothing when a
// footprint numbers the pads of another differently, or when the pads are not explained.
std::optional<Variant> geometry_pad_variant(const SourceRefs& sources, bool pad_counts_differ,
                                            const GeometryAnalysis& geometry);

}  // namespace tessan
