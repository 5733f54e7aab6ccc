// Little-endian fields of Altium and compound-document structures. Callers check bounds.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace altium {

inline std::uint16_t read_u16_le(std::span<const std::uint8_t> bytes, std::size_t pos) {
  return static_cast<std::uint16_t>(bytes[pos] | bytes[pos + 1] << 8);
}

inline std::int16_t read_i16_le(std::span<const std::uint8_t> bytes, std::size_t pos) {
  return static_cast<std::int16_t>(read_u16_le(bytes, pos));
}

inline std::uint32_t read_u32_le(std::span<const std::uint8_t> bytes, std::size_t pos) {
  return static_cast<std::uint32_t>(bytes[pos]) | static_cast<std::uint32_t>(bytes[pos + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[pos + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[pos + 3]) << 24;
}

inline std::int32_t read_i32_le(std::span<const std::uint8_t> bytes, std::size_t pos) {
  return static_cast<std::int32_t>(read_u32_le(bytes, pos));
}

inline double read_f64_le(std::span<const std::uint8_t> bytes, std::size_t pos) {
  std::uint64_t raw = 0;
  for (std::size_t i = 0; i < 8; ++i) raw |= static_cast<std::uint64_t>(bytes[pos + i]) << (8 * i);
  return std::bit_cast<double>(raw);
}

}  // namespace altium
