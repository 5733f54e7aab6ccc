// The Altium source, read last: it chooses among a library's footprints by the pad count on
// which the sources read before it agree.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "cli/source_booking.hpp"
#include "cli/source_discovery.hpp"

namespace tessan {

// The median of the non-zero pad counts (the element at n/2 of the sorted counts).
std::optional<std::uint32_t> consensus_pad_count(const std::vector<SourceData>& records);

void read_altium_slot(const DiscoveredPaths& paths, SourceBook& book);

}  // namespace tessan
