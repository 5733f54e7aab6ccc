// Decoding of one footprint's "Data" stream.
#pragma once

#include <cstddef>

#include <string_view>

#include "altium_container/library_limits.hpp"
#include "altium_container/records.hpp"
#include "altium_pcblib/footprint.hpp"

namespace altium {

// The footprint held in `stream`: its name from the name block and its pads in stream order.
// A stream too short to hold the name block gives an error entry named `storage_name`.
// The decoding stops once the entry holds more than `max_pads` pads.
FootprintEntry decode_footprint_stream(std::string_view storage_name, ByteView stream,
                                       std::size_t max_pads = kDefaultMaxPinsOrPads);

}  // namespace altium
