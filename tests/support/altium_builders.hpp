// Builders of Altium library files for tests: PcbLib and SchLib "Data" streams, whole
// libraries in compound documents, and integrated libraries embedding them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/cfb_writer.hpp"

namespace tessan::testing {

void append_u16(Bytes& out, std::uint16_t value);
void append_u32(Bytes& out, std::uint32_t value);

// ---- PcbLib ----

// A sub-block: 32-bit length and the bytes.
Bytes pcb_sub_block(const Bytes& content);
// A primitive record: type byte and sub-blocks.
Bytes pcb_record(std::uint8_t type, const std::vector<Bytes>& sub_blocks);

struct PcbPad {
  std::string designator;
  std::uint8_t layer = 1;  // 32 is the bottom layer
  std::int32_t x = 0;      // internal units (1e-4 mil)
  std::int32_t y = 0;
  std::uint32_t size_x = 60000;
  std::uint32_t size_y = 60000;
  std::uint32_t hole = 0;
  std::uint8_t shape = 1;  // 1 round, 2 rectangle, 9 rounded rectangle
  double rotation = 0;
  std::size_t geometry_size = 120;  // the rotation is written when this is at least 60
};

// The designator sub-block: length byte and text.
Bytes pcb_designator(std::string_view designator);
// The geometry sub-block of a pad.
Bytes pcb_pad_geometry(const PcbPad& pad);
// A pad record (type 2) with its six sub-blocks.
Bytes pcb_pad_record(const PcbPad& pad);

// A footprint's "Data" stream: name block (G, then length byte and name) and the records.
Bytes pcb_data_stream(std::string_view footprint_name, const std::vector<Bytes>& records);
Bytes pcb_data_stream(std::string_view footprint_name, const std::vector<PcbPad>& pads);

// ---- SchLib ----

// A record: 16-bit payload length, two bytes not interpreted, payload.
Bytes sch_record(const Bytes& payload);
// A text record: the properties (e.g. "|RECORD=1|PartCount=2") followed by a NUL byte.
Bytes sch_text_record(std::string_view properties);

struct SchPin {
  std::string name{};
  std::string designator{};
  std::string description{};  // its length byte sits at 12; its text shifts the fields after it
  std::uint8_t conglomerate = 0;
  std::int16_t length = 30;
  std::int16_t x = 0;
  std::int16_t y = 0;
};

// The payload of a binary pin record (first byte 2).
Bytes sch_pin_payload(const SchPin& pin);
Bytes sch_pin_record(const SchPin& pin);

// A component's "Data" stream: records back to back.
Bytes sch_data_stream(const std::vector<Bytes>& records);
// A component with a header record (RECORD=1) and one binary record per pin.
Bytes sch_component_stream(const std::vector<SchPin>& pins, int part_count = 1);

// ---- Whole libraries ----

// A named element of a library: a storage holding "Data" (and whatever else real libraries
// put beside it).
using LibraryElement = std::pair<std::string, Bytes>;

// A PcbLib: "FileHeader" stream, "Library" and "FileVersionInfo" storages, one storage per
// footprint.
Bytes pcblib_file(const std::vector<LibraryElement>& footprints, const CfbOptions& options = {});
// A SchLib: "FileHeader" and "Storage" streams, one storage per component.
Bytes schlib_file(const std::vector<LibraryElement>& components, const CfbOptions& options = {});

// One embedded library stream of an IntLib: tag byte 2 and zlib data, or tag 0 and the file.
Bytes intlib_stream(const Bytes& library_file, bool compressed = true);
// An IntLib: storage "PCBLib" with "0.pcblib", "1.pcblib", ... and storage "SchLib" with
// "0.schlib", ... (each omitted when empty), plus the streams real IntLibs carry.
Bytes intlib_file(const std::vector<Bytes>& pcblib_streams,
                  const std::vector<Bytes>& schlib_streams);

}  // namespace tessan::testing
