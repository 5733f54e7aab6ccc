// The footprint side of the KiCad source: name and pad labels of a .kicad_mod file.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "parsers/kicad/sexpr_token.hpp"

namespace tessan {

struct KicadFootprint {
  std::optional<std::string> name;  // of the first "(footprint" or "(module" list
  std::vector<std::string> pads;    // one label per "(pad" list, in file order, duplicates kept

  bool operator==(const KicadFootprint&) const = default;
};

// Never fails: malformed token lists yield an emptier footprint. Stops once past
// kMaxPinsOrPads pads.
KicadFootprint extract_kicad_footprint(std::span<const SexprToken> tokens);

}  // namespace tessan
