// The footprint side of the KiCad source: name, pad labels and pad geometry of a .kicad_mod
// file.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "compare/source_data.hpp"
#include "parsers/kicad/sexpr_token.hpp"

namespace tessan {

struct KicadFootprint {
  std::optional<std::string> name;  // of the first "(footprint" or "(module" list
  std::vector<std::string> pads;    // one label per "(pad" list, in file order, duplicates kept
  // One entry per label; absent when some pad lacks a position or a size, or a pad list lies
  // inside another.
  std::optional<std::vector<PadGeometry>> pad_geometry;

  bool operator==(const KicadFootprint&) const = default;
};

// Never fails: malformed token lists yield an emptier footprint.
KicadFootprint extract_kicad_footprint(std::span<const SexprToken> tokens);

}  // namespace tessan
