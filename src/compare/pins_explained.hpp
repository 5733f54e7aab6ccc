// Whether the symbols still agree once the pads that a pad variant explains are set aside.
#pragma once

#include "compare/pin_maps.hpp"
#include "compare/source_set.hpp"

namespace tessan {

// True when, leaving out the pins on the `explained_pads` and the no-connect pins that only
// some symbols draw (`pin_presence`), every source with pins numbers the same (folded) pins,
// and every name that differs from the first named source's differs benignly (`benign_at`).
// Stub sources count for the numbering only.
bool pins_explained(const SourceRefs& sources, const LabelSet& explained_pads);

}  // namespace tessan
