// Builders of Altium library files for tests.
#include "support/altium_builders.hpp"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tessan::testing {
namespace {

void append_i32(Bytes& out, std::int32_t value) {
  append_u32(out, static_cast<std::uint32_t>(value));
}

void put_bytes(Bytes& out, std::size_t offset, const void* data, std::size_t size) {
  if (offset + size > out.size()) return;  // a short sub-block simply lacks the field
  std::memcpy(out.data() + offset, data, size);
}

template <class T>
void put_le(Bytes& out, std::size_t offset, T value) {
  Bytes le;
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    le.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i)));
  }
  put_bytes(out, offset, le.data(), le.size());
}

Bytes pascal_string(std::string_view text) {
  if (text.size() > 255) throw std::invalid_argument("length-byte strings hold 255 bytes");
  Bytes out(text.size() + 1);
  out[0] = static_cast<std::uint8_t>(text.size());
  std::copy(text.begin(), text.end(), out.begin() + 1);
  return out;
}

std::vector<CfbNode> element_storages(const std::vector<LibraryElement>& elements) {
  std::vector<CfbNode> storages;
  for (const auto& [name, data] : elements) {
    Bytes header;
    append_u32(header, 1);
    storages.push_back(CfbNode::storage(
        name, {CfbNode::stream("Data", data), CfbNode::stream("Header", std::move(header))}));
  }
  return storages;
}

std::vector<CfbNode> numbered_streams(const std::vector<Bytes>& streams, std::string_view suffix) {
  std::vector<CfbNode> nodes;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    nodes.push_back(CfbNode::stream(std::to_string(i) + std::string(suffix), streams[i]));
  }
  return nodes;
}

}  // namespace

void append_u16(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void append_u32(Bytes& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The frames below are sized first and filled in place: appending to a vector that grew byte by
// byte makes GCC 12 warn (-Wstringop-overread) about a copy it cannot prove in bounds.
Bytes pcb_sub_block(const Bytes& content) {
  Bytes out;
  out.reserve(4 + content.size());
  append_u32(out, static_cast<std::uint32_t>(content.size()));
  out.resize(4 + content.size());
  std::copy(content.begin(), content.end(), out.begin() + 4);
  return out;
}

Bytes pcb_record(std::uint8_t type, const std::vector<Bytes>& sub_blocks) {
  Bytes out{type};
  for (const auto& block : sub_blocks) {
    const Bytes framed = pcb_sub_block(block);
    out.insert(out.end(), framed.begin(), framed.end());
  }
  return out;
}

Bytes pcb_designator(std::string_view designator) {
  return pascal_string(designator);
}

Bytes pcb_pad_geometry(const PcbPad& pad) {
  Bytes geometry(pad.geometry_size, 0);
  put_le<std::uint8_t>(geometry, 0, pad.layer);
  put_le<std::uint32_t>(geometry, 13, static_cast<std::uint32_t>(pad.x));
  put_le<std::uint32_t>(geometry, 17, static_cast<std::uint32_t>(pad.y));
  put_le<std::uint32_t>(geometry, 21, pad.size_x);
  put_le<std::uint32_t>(geometry, 25, pad.size_y);
  put_le<std::uint32_t>(geometry, 45, pad.hole);
  put_le<std::uint8_t>(geometry, 49, pad.shape);
  if (pad.geometry_size >= 60) put_bytes(geometry, 52, &pad.rotation, sizeof pad.rotation);
  return geometry;
}

Bytes pcb_pad_record(const PcbPad& pad) {
  return pcb_record(2, {pcb_designator(pad.designator), Bytes{}, Bytes{0}, Bytes{},
                        pcb_pad_geometry(pad), Bytes{}});
}

Bytes pcb_data_stream(std::string_view footprint_name, const std::vector<Bytes>& records) {
  const Bytes name = pascal_string(footprint_name);
  Bytes out = pcb_sub_block(name);
  for (const auto& record : records) out.insert(out.end(), record.begin(), record.end());
  return out;
}

Bytes pcb_data_stream(std::string_view footprint_name, const std::vector<PcbPad>& pads) {
  std::vector<Bytes> records;
  for (const auto& pad : pads) records.push_back(pcb_pad_record(pad));
  return pcb_data_stream(footprint_name, records);
}

Bytes sch_record(const Bytes& payload) {
  if (payload.size() > 0xFFFF) throw std::invalid_argument("SchLib records hold 65535 bytes");
  Bytes out;
  out.reserve(4 + payload.size());
  append_u16(out, static_cast<std::uint16_t>(payload.size()));
  const bool binary = !payload.empty() && payload[0] != '|';
  out.push_back(0);
  out.push_back(binary ? 1 : 0);
  out.resize(4 + payload.size());
  std::copy(payload.begin(), payload.end(), out.begin() + 4);
  return out;
}

Bytes sch_text_record(std::string_view properties) {
  Bytes payload(properties.begin(), properties.end());
  payload.push_back(0);
  return sch_record(payload);
}

// Kind 2 as a 32-bit value, owner fields, the description's length byte at 12 and its text,
// then formal and electrical type, conglomerate, length, x, y, colour and the name and
// designator strings (name at 26 when the description is empty).
Bytes sch_pin_payload(const SchPin& pin) {
  Bytes out;
  append_u32(out, 2);
  append_u32(out, 0);
  append_u16(out, 1);
  append_u16(out, 0);
  const Bytes description = pascal_string(pin.description);
  out.insert(out.end(), description.begin(), description.end());
  out.push_back(1);  // formal type
  out.push_back(4);  // electrical type: passive
  out.push_back(pin.conglomerate);
  append_u16(out, static_cast<std::uint16_t>(pin.length));
  append_u16(out, static_cast<std::uint16_t>(pin.x));
  append_u16(out, static_cast<std::uint16_t>(pin.y));
  append_i32(out, 0);
  const Bytes name = pascal_string(pin.name);
  const Bytes designator = pascal_string(pin.designator);
  out.insert(out.end(), name.begin(), name.end());
  out.insert(out.end(), designator.begin(), designator.end());
  out.insert(out.end(), {0, 0, 0});
  return out;
}

Bytes sch_pin_record(const SchPin& pin) {
  return sch_record(sch_pin_payload(pin));
}

Bytes sch_data_stream(const std::vector<Bytes>& records) {
  Bytes out;
  for (const auto& record : records) out.insert(out.end(), record.begin(), record.end());
  return out;
}

Bytes sch_component_stream(const std::vector<SchPin>& pins, int part_count) {
  std::vector<Bytes> records = {
      sch_text_record("|RECORD=1|LibReference=PART|PartCount=" + std::to_string(part_count) +
                      "|DisplayModeCount=1|ComponentDescription=Test part")};
  for (const auto& pin : pins) records.push_back(sch_pin_record(pin));
  return sch_data_stream(records);
}

Bytes pcblib_file(const std::vector<LibraryElement>& footprints, const CfbOptions& options) {
  std::vector<CfbNode> root = {
      CfbNode::stream("FileHeader", std::string_view("|KIND=Protel_Advanced_PCB_Library")),
      CfbNode::storage("Library", {CfbNode::stream("Data", Bytes(8, 0))}),
      CfbNode::storage("FileVersionInfo", {CfbNode::stream("Data", Bytes(4, 0))})};
  for (auto& storage : element_storages(footprints)) root.push_back(std::move(storage));
  return write_cfb(root, options);
}

Bytes schlib_file(const std::vector<LibraryElement>& components, const CfbOptions& options) {
  std::vector<CfbNode> root = {
      CfbNode::stream("FileHeader", sch_text_record("|HEADER=Protel for Windows - Schematic "
                                                    "Library Editor Binary File Version 5.0")),
      CfbNode::stream("Storage", sch_text_record("|HEADER=Icon storage"))};
  for (auto& storage : element_storages(components)) root.push_back(std::move(storage));
  return write_cfb(root, options);
}

Bytes intlib_stream(const Bytes& library_file, bool compressed) {
  if (!compressed) {
    Bytes out(library_file.size() + 1, 0);
    std::copy(library_file.begin(), library_file.end(), out.begin() + 1);
    return out;
  }
  uLongf size = compressBound(static_cast<uLong>(library_file.size()));
  Bytes out(1 + size);
  out[0] = 2;
  if (compress2(out.data() + 1, &size, library_file.data(), static_cast<uLong>(library_file.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  out.resize(1 + size);
  return out;
}

Bytes intlib_file(const std::vector<Bytes>& pcblib_streams,
                  const std::vector<Bytes>& schlib_streams) {
  std::vector<CfbNode> root = {CfbNode::stream("Version.Txt", std::string_view("Version=1.1")),
                               CfbNode::stream("LibCrossRef.Txt", std::string_view(""))};
  if (!pcblib_streams.empty()) {
    root.push_back(CfbNode::storage("PCBLib", numbered_streams(pcblib_streams, ".pcblib")));
  }
  if (!schlib_streams.empty()) {
    root.push_back(CfbNode::storage("SchLib", numbered_streams(schlib_streams, ".schlib")));
  }
  return write_cfb(root);
}

}  // namespace tessan::testing
