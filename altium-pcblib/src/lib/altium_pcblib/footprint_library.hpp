// Reading every footprint of an Altium footprint library into its typed form.
#pragma once

#include <filesystem>
#include <vector>

#include "altium_container/container.hpp"
#include "altium_container/library_limits.hpp"
#include "altium_pcblib/footprint.hpp"

namespace altium {

// The footprint entries of a library, sorted by pad count, largest first (a stable sort, so
// entries with equal counts keep their storage order). Never empty.
using FootprintEntries = std::vector<FootprintEntry>;

// The entries of the library held in `bytes`. An integrated library (.IntLib) gives the entries
// of every embedded footprint library, in stream order, before sorting.
// Errors: the container's, "no footprint storages found in PcbLib",
// "no parseable footprints in PcbLib", and "too many pads" (kTooManyPads) the moment the
// footprints together hold more than `max_pads`.
Result<FootprintEntries> parse_footprint_entries(ByteView bytes,
                                                 std::size_t max_pads = kDefaultMaxPinsOrPads);

// Reads the file whole and parses it. Error "read .PcbLib: " + path when it cannot be read,
// with the operating system's reason as its cause.
Result<FootprintEntries> read_footprint_entries(const std::filesystem::path& path);

}  // namespace altium
