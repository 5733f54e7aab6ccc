// A module footprint against one that adds pads the module's pinout does not have.
#pragma once

#include <optional>

#include "compare/pad_evidence.hpp"
#include "result_doc.hpp"

namespace tessan {

// `ModuleExtraPads` when the source with the fewest pads is a module, every other source has
// all of its pads, and the pads beyond them are real extras: numbered past the module's pads,
// carrying no pin, and leaving the symbols in agreement. Nothing otherwise.
std::optional<ModuleExtraPads> module_extra_pads(const PadEvidence& evidence,
                                                 const SourceRefs& sources);

}  // namespace tessan
