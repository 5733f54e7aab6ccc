#include "parsers/kicad/kicad_footprint.hpp"

#include "parsers/kicad/kicad_footprint_walk.hpp"
#include "parsers/kicad/sexpr_cursor.hpp"

namespace tessan {

KicadFootprint extract_kicad_footprint(std::span<const SexprToken> tokens) {
  SexprListCursor cursor(tokens);
  return walk_kicad_footprint(cursor);
}

}  // namespace tessan
