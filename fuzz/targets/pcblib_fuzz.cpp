// The PcbLib reader from bytes to the footprint document, and the adapter's choice among the
// footprints as variants, with and without a consensus pad count.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "altium_pcblib/footprint_json.hpp"
#include "altium_pcblib/footprint_library.hpp"
#include "fuzz_support.hpp"
#include "parsers/altium/footprint_variant.hpp"
#include "parsers/read_text_file.hpp"

namespace {

using tessan::fuzz::require;

void choose_among(const altium::FootprintEntries& entries, std::optional<std::uint32_t> count) {
  std::vector<tessan::FootprintVariant> variants =
      tessan::footprint_variants(altium::FootprintEntries(entries));
  tessan::drop_unparsed_variants(variants);
  const auto chosen = tessan::choose_variant(variants, count);
  require(chosen.has_value() == !variants.empty(), "no choice among variants");
  if (chosen) require(*chosen < variants.size(), "chosen variant out of range");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto entries = altium::parse_footprint_entries(altium::ByteView(data, size));
  if (!entries) return 0;
  require(!entries->empty(), "parsed library without entries");
  for (const auto& entry : *entries) {
    require(tessan::is_valid_utf8(entry.module_name), "footprint name not UTF-8");
    for (const auto& pad : entry.pads) require(tessan::is_valid_utf8(pad.number), "pad not UTF-8");
  }
  (void)altium::footprint_document(*entries).dump();
  choose_among(*entries, std::nullopt);
  choose_among(*entries, size % 64);
  return 0;
}
