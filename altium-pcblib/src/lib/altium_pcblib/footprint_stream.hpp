// Decoding of one footprint's "Data" stream.
#pragma once

#include <string_view>

#include "altium_container/records.hpp"
#include "altium_pcblib/footprint.hpp"

namespace altium {

// The footprint held in `stream`: its name from the name block and its pads in stream order.
// A stream too short to hold the name block gives an error entry named `storage_name`.
FootprintEntry decode_footprint_stream(std::string_view storage_name, ByteView stream);

}  // namespace altium
