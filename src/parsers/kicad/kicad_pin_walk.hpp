// The walk that collects the pins of a KiCad symbol library from its tokens.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/pin_text.hpp"
#include "compare/source_data.hpp"
#include "parsers/kicad/sexpr_patterns.hpp"
#include "reader_limits.hpp"

namespace tessan {

namespace kicad_pin_walk {

// The quoted value of a "(keyword" list that starts at the cursor's "(".
template <class Cursor>
std::optional<std::string_view> quoted_value(const Cursor& cursor, std::string_view keyword) {
  if (!is_atom(cursor.peek(1), keyword)) return std::nullopt;
  const SexprToken* value = cursor.peek(2);
  if (!is_kind(value, SexprTokenKind::Quoted)) return std::nullopt;
  return value->text;
}

// Reads one pin list from the token after "(pin" to its closing parenthesis (or the end),
// taking the first "(name" and the first "(number" at any depth. A pin without a number is
// dropped; the name "~" is the empty name.
template <class Cursor>
void read_pin_list(Cursor& cursor, std::vector<Pin>& pins) {
  std::size_t depth = 1;
  std::optional<std::string_view> name;
  std::optional<std::string_view> number;
  for (; !cursor.done() && depth > 0; cursor.advance()) {
    const SexprToken& token = *cursor.peek(0);
    if (token.kind == SexprTokenKind::Close) {
      --depth;
    } else if (token.kind == SexprTokenKind::Open) {
      if (!name) name = quoted_value(cursor, "name");
      ++depth;
      if (!number) number = quoted_value(cursor, "number");
    }
  }
  if (!number) return;
  // KiCad writes "~" for a pin without a name.
  const std::string_view spelt = name.value_or(std::string_view{});
  pins.push_back(make_pin(*number, spelt == "~" ? std::string_view{} : spelt));
}

}  // namespace kicad_pin_walk

// Every pin list of every symbol and unit, in file order; nothing is de-duplicated. The walk
// stops as soon as it holds more than `max_pins` pins.
template <class Cursor>
std::vector<Pin> walk_kicad_pins(Cursor& cursor, std::size_t max_pins = kMaxPinsOrPads) {
  std::vector<Pin> pins;
  while (!cursor.done() && pins.size() <= max_pins) {
    if (opens_list(cursor, "pin")) {
      cursor.advance();
      cursor.advance();
      kicad_pin_walk::read_pin_list(cursor, pins);
    } else {
      cursor.advance();
    }
  }
  return pins;
}

}  // namespace tessan
