// Lookup in Altium property lists ("|KEY=VALUE|KEY=VALUE...").
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include "altium_container/records.hpp"

namespace altium {
namespace {

bool is_white_space(UChar32 c) {
  return c >= 0 && u_isUWhiteSpace(c);
}

// `text` without its leading and trailing Unicode white space.
std::string_view trim_white_space(std::string_view text) {
  const auto* s = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t begin = 0;
  while (begin < length) {
    std::int32_t next = begin;
    UChar32 c = 0;
    U8_NEXT(s, next, length, c);
    if (!is_white_space(c)) break;
    begin = next;
  }
  std::int32_t end = length;
  while (end > begin) {
    std::int32_t previous = end;
    UChar32 c = 0;
    U8_PREV(s, begin, previous, c);
    if (!is_white_space(c)) break;
    end = previous;
  }
  return text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
}

char ascii_lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Older libraries write the keys in upper case (PARTCOUNT, LOCATION.X), newer ones in mixed case.
bool starts_with_key(std::string_view piece, std::string_view key) {
  if (piece.size() <= key.size() || piece[key.size()] != '=') return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (ascii_lower(piece[i]) != ascii_lower(key[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> lookup_property(std::string_view text, std::string_view key) {
  if (text.size() > INT32_MAX) return std::nullopt;
  std::size_t piece_start = 0;
  while (piece_start <= text.size()) {
    std::size_t piece_end = text.find('|', piece_start);
    if (piece_end == std::string_view::npos) piece_end = text.size();
    const std::string_view piece = text.substr(piece_start, piece_end - piece_start);
    if (starts_with_key(piece, key)) {
      return std::string(trim_white_space(piece.substr(key.size() + 1)));
    }
    piece_start = piece_end + 1;
  }
  return std::nullopt;
}

}  // namespace altium
