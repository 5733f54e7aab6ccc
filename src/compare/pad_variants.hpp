// Explanations of differing pads: a module's extra pads, or an exposed pad.
#pragma once

#include <optional>

#include "compare/pad_evidence.hpp"
#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

// The first of these that explains the pads: mechanical pads, a module's extra pads (only
// when the pad counts differ by more than one), pinless extra pads, an exposed pad (all
// `ModuleExtraPads` but the last, an `ExposedPadVariant`). Nothing when none does.
// `label_pads` tells what a footprint's geometry says about a label's pads.
std::optional<Variant> pad_variant(const SourceRefs& sources, bool pad_counts_differ,
                                   const LabelPadLookup& label_pads = no_geometry);

}  // namespace tessan
