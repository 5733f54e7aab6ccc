// Byte-oriented scanner of KiCad's S-expression text, one token at a time.
#pragma once

#include <span>
#include <string_view>

#include "parsers/kicad/sexpr_token.hpp"

namespace tessan {

class SexprLexer {
 public:
  // Escapes inside quoted strings are resolved by rewriting the string's own bytes (the
  // resolved text is never longer than the written one), so every token's text is a view into
  // `text`, which must outlive the tokens.
  explicit SexprLexer(std::span<char> text) : pos_(text.data()), end_(text.data() + text.size()) {}

  // Reads the next token into `token`; false at the end of the input.
  bool next(SexprToken& token);

 private:
  std::string_view quoted();
  std::string_view atom();

  char* pos_;
  char* end_;
};

}  // namespace tessan
