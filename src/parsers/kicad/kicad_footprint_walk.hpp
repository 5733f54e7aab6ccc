// The walk that takes a KiCad footprint's name, pad labels and pad geometry from its tokens.
#pragma once

#include <optional>
#include <string>

#include "compare/pin_text.hpp"
#include "parsers/kicad/kicad_footprint.hpp"
#include "parsers/kicad/kicad_pad_geometry.hpp"
#include "parsers/kicad/sexpr_patterns.hpp"
#include "reader_limits.hpp"

namespace tessan {

namespace kicad_footprint_walk {

// Collects one geometry per pad label. Only one pad list is read at a time: a pad list inside
// another (never written by KiCad) leaves the footprint without geometry.
class PadGeometryCollector {
 public:
  void take(const SexprToken& token, const SexprToken* next) {
    if (open_ && open_->take(token, next)) finish();
  }
  void start_pad() {
    if (open_) {
      complete_ = false;
      return;
    }
    open_.emplace();
  }
  std::optional<std::vector<PadGeometry>> take_result(std::size_t pad_count) {
    if (open_) finish();
    if (!complete_ || pads_.size() != pad_count) return std::nullopt;
    return std::move(pads_);
  }

 private:
  void finish() {
    const auto pad = open_->geometry();
    open_.reset();
    if (!pad) complete_ = false;
    if (complete_) pads_.push_back(*pad);
  }

  std::optional<KicadPadGeometryReader> open_;
  std::vector<PadGeometry> pads_;
  bool complete_ = true;
};

}  // namespace kicad_footprint_walk

// Visits every token, inside pad lists too. A footprint name may be quoted or a bare word:
// libraries exported by common services and older "(module" files write it bare. The walk
// stops as soon as it holds more than `max_pads` pads.
template <class Cursor>
KicadFootprint walk_kicad_footprint(Cursor& cursor, std::size_t max_pads = kMaxPinsOrPads) {
  KicadFootprint footprint;
  kicad_footprint_walk::PadGeometryCollector geometry;
  for (; !cursor.done() && footprint.pads.size() <= max_pads; cursor.advance()) {
    geometry.take(*cursor.peek(0), cursor.peek(1));
    if (!is_kind(cursor.peek(0), SexprTokenKind::Open)) continue;
    const SexprToken* keyword = cursor.peek(1);
    const SexprToken* value = cursor.peek(2);
    if (!is_kind(keyword, SexprTokenKind::Atom) || !is_word(value)) continue;
    if (!footprint.name && (keyword->text == "footprint" || keyword->text == "module")) {
      footprint.name = std::string(value->text);
    }
    if (keyword->text == "pad") {
      footprint.pads.emplace_back(trim_space(value->text));
      geometry.start_pad();
    }
  }
  footprint.pad_geometry = geometry.take_result(footprint.pads.size());
  return footprint;
}

}  // namespace tessan
