#include "altium_schlib/pin_record.hpp"

#include "altium_container/little_endian.hpp"

namespace altium {

namespace {

// Offsets within a pin record whose description is empty; a description of n bytes moves
// every field after its length byte n bytes further. Between the description and the
// conglomerate byte stand the formal and the electrical type (13, 14), and the colour
// (22 to 25) follows y: the layout of every pin record in real libraries.
constexpr std::size_t kDescriptionLengthOffset = 12;
constexpr std::size_t kConglomerateOffset = 15;
constexpr std::size_t kLengthOffset = 16;
constexpr std::size_t kXOffset = 18;
constexpr std::size_t kYOffset = 20;
constexpr std::size_t kNameOffset = 26;

// Whether the payload holds `size` bytes from `offset` on.
bool holds(ByteView payload, std::size_t offset, std::size_t size) {
  return payload.size() >= offset + size;
}

std::size_t description_length(ByteView payload) {
  return payload.size() > kDescriptionLengthOffset ? payload[kDescriptionLengthOffset] : 0;
}

}  // namespace

bool is_pin_record(ByteView payload) {
  return !payload.empty() && payload[0] == kPinRecordKind;
}

SchPin decode_pin_record(ByteView payload) {
  const std::size_t shift = description_length(payload);
  SchPin pin;
  if (holds(payload, kConglomerateOffset + shift, 1)) {
    pin.conglomerate = payload[kConglomerateOffset + shift];
  }
  if (holds(payload, kLengthOffset + shift, 2))
    pin.length = read_i16_le(payload, kLengthOffset + shift);
  if (holds(payload, kXOffset + shift, 2)) {
    pin.x = read_i16_le(payload, kXOffset + shift);
    if (holds(payload, kYOffset + shift, 2)) pin.y = read_i16_le(payload, kYOffset + shift);
  }
  std::size_t cursor = kNameOffset + shift;
  pin.name = read_pascal_string(payload, cursor);
  pin.number = read_pascal_string(payload, cursor);
  return pin;
}

}  // namespace altium
