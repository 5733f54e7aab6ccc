// Framing of PcbLib primitive records and SchLib length-prefixed records, and length-byte strings.
#include "altium_container/records.hpp"

#include "altium_container/little_endian.hpp"

#include <array>

namespace altium {
namespace {

// The number of sub-blocks of a primitive record type; 0 for bytes that are not a record type.
std::size_t sub_block_count(std::uint8_t type) {
  static constexpr std::array<std::uint8_t, 13> kCounts = {0, 1, 6, 1, 1, 2, 1, 0, 0, 1, 0, 1, 1};
  return type < kCounts.size() ? kCounts[type] : 0;
}

// Frames one record's sub-blocks from `pos`; false when one of them does not fit.
bool frame_sub_blocks(ByteView stream, std::size_t& pos, std::size_t count, PcbRecord& record) {
  const std::size_t size = stream.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (size - pos < 4) return false;
    const std::size_t length = read_u32_le(stream, pos);
    pos += 4;
    if (size - pos < length) return false;
    record.sub_blocks.push_back(stream.subspan(pos, length));
    pos += length;
  }
  return true;
}

}  // namespace

void for_each_pcb_record(ByteView stream, std::size_t start,
                         const std::function<bool(const PcbRecord&)>& visit) {
  std::size_t pos = start;
  while (pos < stream.size()) {
    const std::uint8_t type = stream[pos];
    const std::size_t count = sub_block_count(type);
    if (count == 0) break;
    ++pos;
    PcbRecord record;
    record.type = type;
    record.sub_blocks.reserve(count);
    if (!frame_sub_blocks(stream, pos, count, record)) break;
    if (!visit(record)) break;
  }
}

std::vector<PcbRecord> walk_pcb_records(ByteView stream, std::size_t start) {
  std::vector<PcbRecord> records;
  for_each_pcb_record(stream, start, [&](const PcbRecord& record) {
    records.push_back(record);
    return true;
  });
  return records;
}

void for_each_sch_record(ByteView stream, const std::function<bool(ByteView)>& visit) {
  std::size_t pos = 0;
  const std::size_t size = stream.size();
  while (size - pos >= 4) {
    const std::size_t length = read_u16_le(stream, pos);
    if (length == 0 || size - pos - 4 < length) break;
    if (!visit(stream.subspan(pos + 4, length))) break;
    pos += 4 + length;
  }
}

std::vector<ByteView> walk_sch_records(ByteView stream) {
  std::vector<ByteView> payloads;
  for_each_sch_record(stream, [&](ByteView payload) {
    payloads.push_back(payload);
    return true;
  });
  return payloads;
}

std::string read_pascal_string(ByteView payload, std::size_t& cursor) {
  if (cursor >= payload.size()) return {};
  const std::size_t length = payload[cursor];
  ++cursor;
  if (payload.size() - cursor < length) return {};
  const auto text = payload.subspan(cursor, length);
  cursor += length;
  return decode_altium_text(text);
}

}  // namespace altium
