// The footprints of an Altium footprint library as variants of one part, and the choice among
// them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "altium_pcblib/footprint.hpp"
#include "compare/source_data.hpp"

namespace tessan {

struct FootprintVariant {
  std::vector<std::string> pads;  // pad labels in library order
  std::optional<std::string> module_name;
  std::optional<std::string> parse_error;
  std::vector<PadGeometry> pad_geometry;  // one per pad label, y pointing up

  bool operator==(const FootprintVariant&) const = default;
};

// One variant per footprint entry, in entry order; the entries' texts are moved over.
std::vector<FootprintVariant> footprint_variants(std::vector<altium::FootprintEntry>&& entries);

// Drops the variants that failed to parse and hold no pads; the others keep their order.
void drop_unparsed_variants(std::vector<FootprintVariant>& variants);

// Whether a footprint name marks a manufacturing, debug, fiducial or test footprint
// (upper-cased, it contains "-MFG", "_MFG", "DEBUG", "FIDUCIAL" or "TEST").
bool has_marker_word(const std::string& module_name);

// The index of the variant to use: the first one without a consensus pad count; otherwise the
// one whose pad count is nearest to it, a marker word in its name counting against it at equal
// distance, the first of equals winning. Nothing when `variants` is empty.
std::optional<std::size_t> choose_variant(const std::vector<FootprintVariant>& variants,
                                          std::optional<std::uint32_t> consensus_pad_count);

}  // namespace tessan
