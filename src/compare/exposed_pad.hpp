// An exposed (thermal) pad that one library draws, splits or labels differently.
#pragma once

#include <optional>

#include "compare/pad_evidence.hpp"
#include "result_doc.hpp"

namespace tessan {

// `ExposedPadVariant` when the sources' electrical pads differ by at most one exposed pad
// each (named as one, numbered past every other pad, or relabelled between two pads that both
// carry a ground pin), the pins on it are ground-like, the symbols agree once it is set aside,
// and every label drawn as several pads is the exposed pad (`label_pads` first, then its
// pins). Nothing otherwise.
std::optional<ExposedPadVariant> exposed_pad_variant(const PadEvidence& evidence,
                                                     const SourceRefs& sources,
                                                     const LabelPadLookup& label_pads);

// True when every pin on the `labels` pads, in every source, is named as an exposed pad, as
// ground, or as a pin elsewhere.
bool pins_on_labels_are_ground_like(const SourceRefs& sources, const LabelSet& labels);

}  // namespace tessan
