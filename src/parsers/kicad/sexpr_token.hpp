// One lexical item of KiCad's S-expression text.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessan {

enum class SexprTokenKind : std::uint8_t {
  Open,    // "("
  Close,   // ")"
  Quoted,  // a double-quoted string
  Atom,    // a bare word
};

struct SexprToken {
  SexprTokenKind kind = SexprTokenKind::Open;
  // Quoted: the content without the quotes, escapes resolved. Atom: the word as written.
  // Empty for Open and Close. A view into the text the token was read from.
  std::string_view text;

  bool operator==(const SexprToken&) const = default;
};

}  // namespace tessan
