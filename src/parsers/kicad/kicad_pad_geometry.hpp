// Reads the geometry of one KiCad pad list token by token, as the footprint walk passes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "compare/source_data.hpp"
#include "parsers/kicad/sexpr_token.hpp"

namespace tessan {

class KicadPadGeometryReader {
 public:
  // Starts just after the "(" of a pad list; every later token is passed to `take` until it
  // says the list is closed.
  KicadPadGeometryReader() = default;

  // `token` is the walk's current token and `next` the one after it (null at the end).
  // True when `token` closes the pad list.
  bool take(const SexprToken& token, const SexprToken* next);

  // The pad as read so far: nothing when its position or size is missing or not a number.
  // The y axis is turned to point up.
  std::optional<PadGeometry> geometry() const;

 private:
  enum class Field : std::uint8_t { None, At, Size, Drill, Layers, Ignored };
  enum class Type : std::uint8_t { Smd, Connect, ThroughHole, NonPlatedHole };

  // The numbers of the first "(at", "(size" or "(drill" list.
  struct Numbers {
    std::array<double, 3> values{};
    std::size_t count = 0;
    bool seen = false;
    bool bad = false;  // a word that is not a finite number, or too many of them
  };

  void open_child(const SexprToken* keyword);
  void take_word(std::string_view word);
  void take_number(Numbers& numbers, std::string_view word);
  void take_layer(std::string_view layer);

  std::size_t depth_ = 1;  // 1: directly inside the pad list
  std::size_t words_ = 0;  // words directly inside: "pad", label, type, shape
  Type type_ = Type::Smd;
  PadShape shape_ = PadShape::Rect;
  Field field_ = Field::None;
  std::size_t field_words_ = 0;  // its keyword included
  Numbers at_;
  Numbers size_;
  Numbers drill_;
  bool layers_seen_ = false;
  bool copper_front_ = false;
  bool copper_back_ = false;
  bool paste_ = false;
  bool any_front_ = false;
  bool any_back_ = false;
};

}  // namespace tessan
