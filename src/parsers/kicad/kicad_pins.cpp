#include "parsers/kicad/kicad_pins.hpp"

#include "parsers/kicad/kicad_pin_walk.hpp"
#include "parsers/kicad/sexpr_cursor.hpp"

namespace tessan {

std::vector<Pin> extract_kicad_pins(std::span<const SexprToken> tokens) {
  SexprListCursor cursor(tokens);
  return walk_kicad_pins(cursor);
}

}  // namespace tessan
