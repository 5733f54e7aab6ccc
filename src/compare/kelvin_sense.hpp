// Explanation of a four-terminal (Kelvin) symbol drawn against a two-terminal one.
#pragma once

#include <optional>

#include "compare/source_set.hpp"
#include "result_doc.hpp"

namespace tessan {

// A `KelvinSenseRepresentation` when some source is four-terminal with at least three of the
// Kelvin names among its pins and another is two-terminal; nothing otherwise.
std::optional<KelvinSenseRepresentation> kelvin_sense_variant(const SourceRefs& sources);

}  // namespace tessan
