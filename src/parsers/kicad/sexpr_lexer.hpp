// Byte-oriented scanner of KiCad's S-expression text, one token at a time. Defined here so
// that the walks, which call it once per token, can inline it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "parsers/kicad/sexpr_token.hpp"

namespace tessan {

namespace sexpr_bytes {

enum Class : std::uint8_t { kWord, kSeparator, kOpen, kClose, kQuote };

constexpr std::array<std::uint8_t, 256> make_classes() {
  std::array<std::uint8_t, 256> classes{};
  for (const unsigned char c : {'\t', '\n', '\f', '\r', ' '}) classes[c] = kSeparator;
  classes['('] = kOpen;
  classes[')'] = kClose;
  classes['"'] = kQuote;
  return classes;
}

// A double quote inside a bare word belongs to the word.
constexpr std::array<bool, 256> make_atom_ends() {
  std::array<bool, 256> ends{};
  for (const unsigned char c : {'\t', '\n', '\f', '\r', ' ', '(', ')'}) ends[c] = true;
  return ends;
}

inline constexpr std::array<std::uint8_t, 256> kClasses = make_classes();
inline constexpr std::array<bool, 256> kAtomEnds = make_atom_ends();

inline Class class_of(char c) {
  return static_cast<Class>(kClasses[static_cast<unsigned char>(c)]);
}
inline bool ends_atom(char c) {
  return kAtomEnds[static_cast<unsigned char>(c)];
}

}  // namespace sexpr_bytes

class SexprLexer {
 public:
  // Escapes inside quoted strings are resolved by rewriting the string's own bytes (the
  // resolved text is never longer than the written one), so every token's text is a view into
  // `text`, which must outlive the tokens.
  explicit SexprLexer(std::span<char> text) : pos_(text.data()), end_(text.data() + text.size()) {}

  // Reads the next token into `token`; false at the end of the input.
  bool next(SexprToken& token) {
    using namespace sexpr_bytes;
    while (pos_ != end_ && class_of(*pos_) == kSeparator) ++pos_;
    if (pos_ == end_) return false;
    switch (class_of(*pos_)) {
      case kOpen:
        ++pos_;
        token = {SexprTokenKind::Open, {}};
        return true;
      case kClose:
        ++pos_;
        token = {SexprTokenKind::Close, {}};
        return true;
      case kQuote:
        ++pos_;
        token = {SexprTokenKind::Quoted, quoted()};
        return true;
      default:
        token = {SexprTokenKind::Atom, atom()};
        return true;
    }
  }

 private:
  std::string_view atom() {
    const char* const start = pos_;
    while (pos_ != end_ && !sexpr_bytes::ends_atom(*pos_)) ++pos_;
    return {start, static_cast<std::size_t>(pos_ - start)};
  }

  // Called after the opening quote. Runs to the closing quote, or to the end of the input when
  // there is none. A backslash is dropped and the byte after it kept, whatever it is; a
  // backslash that is the last byte of the input is kept.
  std::string_view quoted() {
    char* const start = pos_;
    while (pos_ != end_ && *pos_ != '"' && *pos_ != '\\') ++pos_;
    char* out = pos_;
    while (pos_ != end_) {
      char c = *pos_++;
      if (c == '"') break;
      if (c == '\\' && pos_ != end_) c = *pos_++;
      *out++ = c;
    }
    return {start, static_cast<std::size_t>(out - start)};
  }

  char* pos_;
  char* end_;
};

}  // namespace tessan
