// Explanations of a pad-count difference: an exposed pad, or a module's extra pads.
#pragma once

#include <optional>

#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

// An `ExposedPadVariant` or a `ModuleExtraPads`, or nothing when neither explains the pads.
std::optional<Variant> pad_count_variant(const SourceRefs& sources);

}  // namespace tessan
