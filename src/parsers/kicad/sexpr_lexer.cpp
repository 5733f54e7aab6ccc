#include "parsers/kicad/sexpr_lexer.hpp"

#include <array>
#include <cstdint>

namespace tessan {

namespace {

enum ByteClass : std::uint8_t { kWord, kSeparator, kOpen, kClose, kQuote };

constexpr std::array<std::uint8_t, 256> make_byte_classes() {
  std::array<std::uint8_t, 256> classes{};
  for (const unsigned char c : {'\t', '\n', '\f', '\r', ' '}) classes[c] = kSeparator;
  classes['('] = kOpen;
  classes[')'] = kClose;
  classes['"'] = kQuote;
  return classes;
}

constexpr std::array<std::uint8_t, 256> kByteClasses = make_byte_classes();

ByteClass class_of(char c) {
  return static_cast<ByteClass>(kByteClasses[static_cast<unsigned char>(c)]);
}

// A double quote inside a bare word belongs to the word.
bool ends_atom(char c) {
  const ByteClass cls = class_of(c);
  return cls == kSeparator || cls == kOpen || cls == kClose;
}

}  // namespace

bool SexprLexer::next(SexprToken& token) {
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

std::string_view SexprLexer::atom() {
  const char* const start = pos_;
  while (pos_ != end_ && !ends_atom(*pos_)) ++pos_;
  return {start, static_cast<std::size_t>(pos_ - start)};
}

// Called after the opening quote. Runs to the closing quote, or to the end of the input when
// there is none. A backslash is dropped and the byte after it kept, whatever it is; a
// backslash that is the last byte of the input is kept.
std::string_view SexprLexer::quoted() {
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

}  // namespace tessan
