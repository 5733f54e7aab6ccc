#include "altium_pcblib/footprint_stream.hpp"

#include "altium_container/little_endian.hpp"

#include "altium_pcblib/pad_record.hpp"

namespace altium {

namespace {

constexpr std::size_t kNameBlockLengthSize = 4;

FootprintEntry error_entry(std::string_view storage_name, std::string message) {
  FootprintEntry entry;
  entry.module_name = std::string(storage_name);
  entry.parse_error = std::move(message);
  return entry;
}

// The name inside a name block of `block_length` bytes that starts at offset 4.
std::string footprint_name(ByteView stream, std::uint32_t block_length) {
  if (block_length == 0) return {};
  const std::uint8_t name_length = stream[kNameBlockLengthSize];
  if (name_length >= block_length) return {};
  return decode_altium_text(stream.subspan(kNameBlockLengthSize + 1, name_length));
}

}  // namespace

FootprintEntry decode_footprint_stream(std::string_view storage_name, ByteView stream,
                                       std::size_t max_pads) {
  if (stream.size() < kNameBlockLengthSize) {
    return error_entry(storage_name,
                       "stream too short (" + std::to_string(stream.size()) + " bytes)");
  }
  const std::uint32_t block_length = read_u32_le(stream, 0);
  const std::uint64_t records_start = std::uint64_t{block_length} + kNameBlockLengthSize;
  if (records_start > stream.size()) {
    return error_entry(storage_name, "footprint name block overruns stream");
  }

  FootprintEntry entry;
  entry.module_name = footprint_name(stream, block_length);
  for_each_pcb_record(stream, static_cast<std::size_t>(records_start),
                      [&](const PcbRecord& record) {
                        if (record.type != kPadRecordType) return true;
                        if (auto pad = decode_pad_record(record))
                          entry.pads.push_back(std::move(*pad));
                        return entry.pads.size() <= max_pads;
                      });
  return entry;
}

}  // namespace altium
