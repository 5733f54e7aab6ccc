// Explanations of differing pads: a module's extra pads, or an exposed pad.
#pragma once

#include <optional>

#include "compare/geometry/geometry_analysis.hpp"
#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

// A `ModuleExtraPads` (tried first, only when the pad counts differ by more than one) or an
// `ExposedPadVariant`; nothing when neither explains the pads. With two usable footprints in
// `geometry`, the pad roles decide first.
std::optional<Variant> pad_variant(const SourceRefs& sources, bool pad_counts_differ,
                                   const GeometryAnalysis& geometry);

}  // namespace tessan
