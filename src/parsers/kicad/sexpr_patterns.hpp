// Token tests shared by the KiCad walks. Keywords are compared byte for byte.
#pragma once

#include <string_view>

#include "parsers/kicad/sexpr_token.hpp"

namespace tessan {

inline bool is_kind(const SexprToken* token, SexprTokenKind kind) {
  return token != nullptr && token->kind == kind;
}

inline bool is_atom(const SexprToken* token, std::string_view word) {
  return is_kind(token, SexprTokenKind::Atom) && token->text == word;
}

inline bool is_word(const SexprToken* token) {
  return is_kind(token, SexprTokenKind::Atom) || is_kind(token, SexprTokenKind::Quoted);
}

// The cursor stands on "(" followed by the bare word `keyword`.
template <class Cursor>
bool opens_list(const Cursor& cursor, std::string_view keyword) {
  return is_kind(cursor.peek(0), SexprTokenKind::Open) && is_atom(cursor.peek(1), keyword);
}

}  // namespace tessan
