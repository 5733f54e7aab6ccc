#include "parsers/altium/altium_reader.hpp"

#include "altium_pcblib/footprint_library.hpp"
#include "altium_schlib/component_library.hpp"
#include "parsers/altium/altium_pins.hpp"
#include "parsers/altium/footprint_variant.hpp"

namespace tessan {

namespace {

// The pins of the symbol library; none when there is no library or it cannot be read.
std::vector<Pin> symbol_pins(const std::optional<std::filesystem::path>& symbol_library_path) {
  if (!symbol_library_path) return {};
  const auto component = altium::read_first_component(*symbol_library_path);
  if (!component) return {};
  return pins_from_component(*component);
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
  auto entries = altium::read_footprint_entries(footprint_library_path);
  if (!entries) {
    return std::move(entries).error().wrap("altium-pcblib parsing " +
                                           footprint_library_path.string());
  }
  std::vector<FootprintVariant> variants = footprint_variants(std::move(entries).value());
  drop_unparsed_variants(variants);
  const auto chosen = choose_variant(variants, consensus_pad_count);
  if (!chosen) return Error("no parseable footprint variants in PcbLib");
  return source_from(std::move(variants[*chosen]), symbol_pins(symbol_library_path));
}

}  // namespace tessan
