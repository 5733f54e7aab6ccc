// The walk that takes a KiCad footprint's name and pad labels from its tokens.
#pragma once

#include <string>

#include "compare/pin_text.hpp"
#include "parsers/kicad/kicad_footprint.hpp"
#include "parsers/kicad/sexpr_patterns.hpp"

namespace tessan {

// Visits every token, inside pad lists too. A footprint name may be quoted or a bare word:
// libraries exported by common services and older "(module" files write it bare.
template <class Cursor>
KicadFootprint walk_kicad_footprint(Cursor& cursor) {
  KicadFootprint footprint;
  for (; !cursor.done(); cursor.advance()) {
    if (!is_kind(cursor.peek(0), SexprTokenKind::Open)) continue;
    const SexprToken* keyword = cursor.peek(1);
    const SexprToken* value = cursor.peek(2);
    if (!is_kind(keyword, SexprTokenKind::Atom) || !is_word(value)) continue;
    if (!footprint.name && (keyword->text == "footprint" || keyword->text == "module")) {
      footprint.name = std::string(value->text);
    }
    if (keyword->text == "pad") footprint.pads.push_back(trim_space(value->text));
  }
  return footprint;
}

}  // namespace tessan
