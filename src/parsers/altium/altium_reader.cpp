#include "parsers/altium/altium_reader.hpp"

#include "altium_pcblib/footprint_library.hpp"
#include "altium_schlib/component_library.hpp"
#include "parsers/altium/altium_pins.hpp"
#include "parsers/altium/footprint_variant.hpp"
#include "parsers/count_limit.hpp"
#include "regular_file_read.hpp"

namespace tessan {

namespace {

altium::ByteView bytes_of(const std::string& data) {
  return {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()};
}

// The pins of the symbol library's first component; none when there is no library or it cannot
// be read. Only a component past the pin bound fails the source.
Result<std::vector<Pin>> symbol_pins(
    const std::optional<std::filesystem::path>& symbol_library_path) {
  if (!symbol_library_path) return std::vector<Pin>{};
  const auto bytes = read_regular_file(*symbol_library_path);
  if (!bytes) return std::vector<Pin>{};
  const auto component = altium::parse_first_component(bytes_of(*bytes), kMaxPinsOrPads);
  if (!component && component.error().message() == altium::kTooManyPins) return too_many_pins();
  if (!component) return std::vector<Pin>{};
  return pins_from_component(*component);
}

// The footprint entries of the library, with the errors as the pipeline shows them.
Result<altium::FootprintEntries> footprint_entries(const std::filesystem::path& path) {
  auto bytes = read_regular_file(path);
  if (!bytes && is_file_too_large(bytes.error())) {
    return Error(path.string() + ": " + bytes.error().message());
  }
  const std::string context = "altium-pcblib parsing " + path.string();
  if (!bytes)
    return Error("read .PcbLib: " + path.string(), std::move(bytes).error()).wrap(context);
  auto entries = altium::parse_footprint_entries(bytes_of(*bytes), kMaxPinsOrPads);
  if (!entries && entries.error().message() == altium::kTooManyPads) return too_many_pads();
  if (!entries) return std::move(entries).error().wrap(context);
  return entries;
}

SourceData source_from(FootprintVariant variant, std::vector<Pin> pins) {
  SourceData source;
  source.name = "altium";
  source.pads = std::move(variant.pads);
  source.pad_geometry = std::move(variant.pad_geometry);
  source.pins = std::move(pins);
  if (variant.module_name) {
    PackageInfo package;
    package.package_name = std::move(*variant.module_name);
    source.package = std::move(package);
  }
  return source;
}

}  // namespace

Result<SourceData> read_altium(const std::filesystem::path& footprint_library_path,
                               std::optional<std::uint32_t> consensus_pad_count,
                               const std::optional<std::filesystem::path>& symbol_library_path) {
  auto entries = footprint_entries(footprint_library_path);
  if (!entries) return std::move(entries).error();
  std::vector<FootprintVariant> variants = footprint_variants(std::move(entries).value());
  drop_unparsed_variants(variants);
  const auto chosen = choose_variant(variants, consensus_pad_count);
  if (!chosen) return Error("no parseable footprint variants in PcbLib");
  auto pins = symbol_pins(symbol_library_path);
  if (!pins) return std::move(pins).error();
  return source_from(std::move(variants[*chosen]), std::move(pins).value());
}

}  // namespace tessan
