// The pad variant step: which variant, if any, explains the pads that the footprints differ in.
#pragma once

#include <optional>

#include "compare/geometry/geometry_analysis.hpp"
#include "compare/pad_evidence.hpp"
#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

// With two usable footprints in `geometry`, the pad roles decide first; when they explain
// nothing, and no footprint numbers another's pads differently, mechanical pads may still.
// Otherwise `label_pad_variant`, with what the geometry of single footprints says about their
// labels.
std::optional<Variant> pad_variant(const SourceRefs& sources, bool pad_counts_differ,
                                   const GeometryAnalysis& geometry);

// The first of these that explains the pads: mechanical pads, a module's extra pads (only
// when the pad counts differ by more than one), pinless extra pads, an exposed pad (all
// `ModuleExtraPads` but the last, an `ExposedPadVariant`). Nothing when none does.
// `label_pads` tells what a footprint's geometry says about a label's pads.
std::optional<Variant> label_pad_variant(const SourceRefs& sources, bool pad_counts_differ,
                                         const LabelPadLookup& label_pads = no_geometry);

}  // namespace tessan
