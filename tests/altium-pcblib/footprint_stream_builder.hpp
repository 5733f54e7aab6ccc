// Builders of footprint "Data" streams and their primitive records.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pcblib_test {

using Bytes = std::vector<std::uint8_t>;

inline void put_u32(Bytes& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void set_u32(Bytes& out, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline Bytes bytes_of(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// The geometry fields of a pad, in internal units (a ten-thousandth of a mil).
struct PadGeometry {
  std::uint8_t layer = 1;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::uint32_t size_x = 60000;
  std::uint32_t size_y = 40000;
  std::uint32_t hole = 0;
  std::uint8_t shape = 2;
  double rotation = 0;
  std::size_t size = 60;  // bytes of the sub-block
};

inline Bytes geometry_block(const PadGeometry& g) {
  Bytes block(std::max<std::size_t>(g.size, 60), 0);
  block[0] = g.layer;
  set_u32(block, 13, static_cast<std::uint32_t>(g.x));
  set_u32(block, 17, static_cast<std::uint32_t>(g.y));
  set_u32(block, 21, g.size_x);
  set_u32(block, 25, g.size_y);
  set_u32(block, 45, g.hole);
  block[49] = g.shape;
  const auto rotation = std::bit_cast<std::uint64_t>(g.rotation);
  for (int i = 0; i < 8; ++i) block[52 + i] = static_cast<std::uint8_t>(rotation >> (8 * i));
  block.resize(g.size);
  return block;
}

// A designator sub-block: a length byte and the text.
inline Bytes designator_block(std::string_view number) {
  Bytes block(number.size() + 1);
  block[0] = static_cast<std::uint8_t>(number.size());
  std::copy(number.begin(), number.end(), block.begin() + 1);
  return block;
}

// One primitive record: the type byte and its sub-blocks, each with its length.
inline Bytes record(std::uint8_t type, const std::vector<Bytes>& sub_blocks) {
  Bytes out{type};
  for (const Bytes& block : sub_blocks) {
    put_u32(out, static_cast<std::uint32_t>(block.size()));
    out.insert(out.end(), block.begin(), block.end());
  }
  return out;
}

inline Bytes pad_record(const Bytes& designator, const Bytes& geometry) {
  return record(2, {designator, {}, {}, {}, geometry, {}});
}

inline Bytes pad_record(std::string_view number, const PadGeometry& geometry = {}) {
  return pad_record(designator_block(number), geometry_block(geometry));
}

// A track-like record that the reader frames and passes over.
inline Bytes track_record() {
  return record(4, {Bytes(45, 0x11)});
}

// A name block holding a length byte and the name, as footprint editors write it.
inline Bytes name_block(const Bytes& name) {
  Bytes block(name.size() + 1);
  block[0] = static_cast<std::uint8_t>(name.size());
  std::copy(name.begin(), name.end(), block.begin() + 1);
  return block;
}

// A whole stream: the name block's length, the block, then the records back to back.
inline Bytes footprint_stream_with_block(const Bytes& block, const std::vector<Bytes>& records) {
  Bytes out;
  put_u32(out, static_cast<std::uint32_t>(block.size()));
  out.insert(out.end(), block.begin(), block.end());
  for (const Bytes& r : records) out.insert(out.end(), r.begin(), r.end());
  return out;
}

inline Bytes footprint_stream(std::string_view name, const std::vector<Bytes>& records) {
  return footprint_stream_with_block(name_block(bytes_of(name)), records);
}

// A stream with `count` pads numbered 1 to count.
inline Bytes numbered_footprint(std::string_view name, int count) {
  std::vector<Bytes> records;
  for (int i = 1; i <= count; ++i) records.push_back(pad_record(std::to_string(i)));
  return footprint_stream(name, records);
}

}  // namespace pcblib_test
