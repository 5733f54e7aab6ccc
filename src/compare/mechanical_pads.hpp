// Shield and mounting pads, which libraries label and count as they please.
#pragma once

#include <optional>
#include <string_view>

#include "compare/pad_evidence.hpp"
#include "result_doc.hpp"

namespace tessan {

// S, SH, SHIELD, MP, MH, MT (each optionally followed by digits), "0", or EAGLE's automatic
// P$n; `label` is folded and upper-cased.
bool is_mechanical_label(std::string_view label);

// `ModuleExtraPads` when the pads differ only in mechanical pads: labels that
// `is_mechanical_label` accepts and whose pins, in every source that holds them, are absent or
// named as a shield or mount, or as a ground-class name that the same source also puts on a
// pad with an ordinary label. The other pads must agree, the symbols must agree once the
// mechanical pads are set aside, and either every footprint has mechanical pads or none has,
// leaving aside non-plated holes without copper, which a library may leave out. Nothing
// otherwise.
std::optional<ModuleExtraPads> mechanical_pads_variant(const PadEvidence& evidence,
                                                       const SourceRefs& sources);

}  // namespace tessan
