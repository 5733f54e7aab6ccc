// Decoding of the pad primitive records (type 2) of a footprint stream.
#pragma once

#include <optional>
#include <string>

#include "altium_container/records.hpp"
#include "altium_pcblib/footprint.hpp"

namespace altium {

inline constexpr std::uint8_t kPadRecordType = 2;

// The designator held in a pad's first sub-block: a length byte and text, cut at the first zero
// byte; "?" when the sub-block is empty or its length byte claims the whole sub-block or more.
std::string decode_pad_designator(ByteView sub_block);

// The pad of a framed type-2 record, or nothing when its geometry sub-block is too short.
std::optional<Pad> decode_pad_record(const PcbRecord& record);

// `value` rounded to `decimals` places, halves away from zero; never negative zero.
double round_to_decimals(double value, int decimals);

}  // namespace altium
