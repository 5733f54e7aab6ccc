// The SchLib reader from bytes to the component document, and the adapter's pins.
#include <cstddef>
#include <cstdint>

#include "altium_schlib/component_json.hpp"
#include "altium_schlib/component_library.hpp"
#include "fuzz_support.hpp"
#include "parsers/altium/altium_pins.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto component = altium::parse_first_component(altium::ByteView(data, size));
  if (!component) return 0;
  (void)altium::component_document(*component).dump();
  tessan::SourceData record;
  record.pins = tessan::pins_from_component(*component);
  tessan::fuzz::require_sound_record(record);
  return 0;
}
