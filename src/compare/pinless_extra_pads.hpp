// Pads that only some footprints draw and no symbol connects: thermal vias, paste and holes.
#pragma once

#include <optional>

#include "compare/pad_evidence.hpp"
#include "result_doc.hpp"

namespace tessan {

// `ModuleExtraPads` when every label that only some footprints hold is, in each holder, a
// pinless pad that the holder's geometry calls a via, paste, a hole or an exposed pad
// (`label_pads`), the holder's symbol puts a pin on every label that all footprints share,
// and the symbols agree once those labels are set aside. A pin on such a pad counts as no pin
// when it repeats a ground-class or supply name that the holder also puts elsewhere. Without
// usable geometry only a blank label could qualify, and blank labels are no electrical pads:
// label numbers alone cannot tell thermal vias from a package grown by a few pins.
std::optional<ModuleExtraPads> pinless_extra_pads(const PadEvidence& evidence,
                                                  const SourceRefs& sources,
                                                  const LabelPadLookup& label_pads);

}  // namespace tessan
