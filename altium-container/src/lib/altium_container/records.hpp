// Record framings of Altium library streams, property lists and length-byte strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace altium {

using ByteView = std::span<const std::uint8_t>;

// One primitive record of a PcbLib "Data" stream: its type byte and its sub-blocks (views into
// the stream).
struct PcbRecord {
  std::uint8_t type = 0;
  std::vector<ByteView> sub_blocks;
};

// The framed primitive records from `start` on, in stream order; stops silently at an unknown
// type or a record that does not fit.
std::vector<PcbRecord> walk_pcb_records(ByteView stream, std::size_t start);

// Hands each record that walk_pcb_records would list to `visit`, one at a time, until `visit`
// returns false.
void for_each_pcb_record(ByteView stream, std::size_t start,
                         const std::function<bool(const PcbRecord&)>& visit);

// The payloads of a SchLib "Data" stream's length-prefixed records, in stream order.
std::vector<ByteView> walk_sch_records(ByteView stream);

// Hands each payload that walk_sch_records would list to `visit`, one at a time, until `visit`
// returns false.
void for_each_sch_record(ByteView stream, const std::function<bool(ByteView)>& visit);

// The first "|KEY=VALUE" piece's value, trimmed of white space; nothing when absent. Keys match
// without regard to ASCII case.
std::optional<std::string> lookup_property(std::string_view text, std::string_view key);

// One length byte n and n bytes of text at `cursor`, decoded; advances the cursor.
std::string read_pascal_string(ByteView payload, std::size_t& cursor);

// Altium text: UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252. Never fails.
std::string decode_altium_text(ByteView bytes);

}  // namespace altium
