// The sources that take part in a comparison, and what the comparison asks of each.
#pragma once

#include <cstddef>
#include <vector>

#include "compare/source_data.hpp"

namespace tessan {

// Borrowed sources, in the pipeline's reading order.
using SourceRefs = std::vector<const SourceData*>;

// The sources that carry something: at least one pad, at least one pin, or a package.
SourceRefs participating_sources(const std::vector<SourceData>& sources);

std::size_t stub_pin_count(const SourceData& source);

// More than half of the pins (integer half) are stub-named.
bool is_stub_source(const SourceData& source);

bool has_pads(const SourceData& source);
bool has_pins(const SourceData& source);

// A source with pins whose names the comparison can use.
bool has_named_pins(const SourceData& source);

}  // namespace tessan
