// Decoding of one component's "Data" stream.
#pragma once

#include <cstddef>

#include <string_view>

#include "altium_container/library_limits.hpp"
#include "altium_container/records.hpp"
#include "altium_schlib/component.hpp"

namespace altium {

// The component held in `stream`: description and part count from its last header record, body
// from its last complete rectangle record, pins from its binary pin records in stream order.
// The decoding stops once the component holds more than `max_pins` pins.
Component decode_component_stream(std::string_view storage_name, ByteView stream,
                                  std::size_t max_pins = kDefaultMaxPinsOrPads);

}  // namespace altium
