// The symbol side of the KiCad source: the pins of a .kicad_sym library.
#pragma once

#include <span>
#include <vector>

#include "compare/source_data.hpp"
#include "parsers/kicad/sexpr_token.hpp"

namespace tessan {

// Every pin of every symbol, unit and body style, in file order. Never fails: malformed
// token lists yield fewer pins. Stops once past kMaxPinsOrPads pins.
std::vector<Pin> extract_kicad_pins(std::span<const SexprToken> tokens);

}  // namespace tessan
