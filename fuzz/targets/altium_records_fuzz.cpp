// The record framings, property lists and length-byte strings of Altium streams, and the
// decoding of one footprint stream and one component stream, on raw stream bytes (no
// container around them).
#include <cstddef>
#include <cstdint>

#include "altium_container/records.hpp"
#include "altium_pcblib/footprint_json.hpp"
#include "altium_pcblib/footprint_stream.hpp"
#include "altium_schlib/component_json.hpp"
#include "altium_schlib/component_stream.hpp"
#include "fuzz_support.hpp"
#include "parsers/read_text_file.hpp"

namespace {

using namespace altium;
using tessan::fuzz::require;

void require_utf8(const std::string& text) {
  require(tessan::is_valid_utf8(text), "decoded text not UTF-8");
}

void read_properties(ByteView payload) {
  const std::string text = decode_altium_text(payload);
  require_utf8(text);
  for (const char* key : {"RECORD", "PartCount", "Location.X", "Corner.Y"}) {
    if (const auto value = lookup_property(text, key)) require_utf8(*value);
  }
}

void read_strings(ByteView payload) {
  std::size_t cursor = 0;
  while (cursor < payload.size()) {
    const std::size_t before = cursor;
    require_utf8(read_pascal_string(payload, cursor));
    require(cursor > before && cursor <= payload.size(), "length-byte string cursor");
  }
}

void decode_footprint(ByteView stream) {
  const FootprintEntry entry = decode_footprint_stream("FUZZ", stream);
  require_utf8(entry.module_name);
  for (const Pad& pad : entry.pads) require_utf8(pad.number);
  (void)footprint_entry_to_json(entry).dump();
}

void decode_component(ByteView stream) {
  const Component component = decode_component_stream("FUZZ", stream);
  require_utf8(component.description);
  for (const SchPin& pin : component.pins) {
    require_utf8(pin.number);
    require_utf8(pin.name);
  }
  (void)component_document(component).dump();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteView stream(data, size);
  (void)walk_pcb_records(stream, size > 0 ? data[0] : 0);
  for (ByteView payload : walk_sch_records(stream)) {
    read_properties(payload);
    read_strings(payload);
  }
  decode_footprint(stream);
  decode_component(stream);
  return 0;
}
