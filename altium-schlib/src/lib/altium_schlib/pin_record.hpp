// Decoding of the binary pin records of a component stream.
#pragma once

#include "altium_container/records.hpp"
#include "altium_schlib/component.hpp"

namespace altium {

inline constexpr std::uint8_t kPinRecordKind = 2;

// Whether a record payload is a binary pin record.
bool is_pin_record(ByteView payload);

// The pin held in a binary pin record. Fields that the payload is too short to hold are 0 or
// empty. The pin description (its length byte at offset 12) is stepped over, so every field
// after it moves by the description's length.
SchPin decode_pin_record(ByteView payload);

}  // namespace altium
