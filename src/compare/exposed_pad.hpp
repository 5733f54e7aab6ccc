// An exposed (thermal) pad that one library draws, splits or labels differently.
#pragma once

#include <optional>

#include "compare/pad_evidence.hpp"
#include "result_doc.hpp"

namespace tessan {

// `ExposedPadVariant` when the sources' electrical pads differ by at most one exposed pad
// each (named as one, or numbered past every other pad), the pins on it are ground-like, and
// the symbols agree once it is set aside. Nothing otherwise.
std::optional<ExposedPadVariant> exposed_pad_variant(const PadEvidence& evidence,
                                                     const SourceRefs& sources);

// True when every pin on the `labels` pads, in every source, is named as an exposed pad, as
// ground, or as a pin elsewhere.
bool pins_on_labels_are_ground_like(const SourceRefs& sources, const LabelSet& labels);

}  // namespace tessan
