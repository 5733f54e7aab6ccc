#include "compare/unicode_upper.hpp"

#include <unicode/ustring.h>
#include <unicode/utypes.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

namespace tessan {
namespace {

bool is_ascii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Longest text handed to ICU: every buffer below (at most nine bytes per input byte) must
// stay within ICU's 32-bit lengths.
constexpr std::size_t kMaxIcuText = INT32_MAX / 16;

// Converts UTF-8 to UTF-16; nothing when the text is not well-formed or too long for ICU.
std::optional<std::vector<UChar>> to_utf16(std::string_view text) {
  if (text.size() > kMaxIcuText) return std::nullopt;
  const auto length = static_cast<int32_t>(text.size());
  std::vector<UChar> wide(text.size() + 1);
  int32_t wide_length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8(wide.data(), static_cast<int32_t>(wide.size()), &wide_length, text.data(), length,
                &status);
  if (U_FAILURE(status)) return std::nullopt;
  wide.resize(static_cast<std::size_t>(wide_length));
  return wide;
}

// Full upper-case mapping in the root locale; may lengthen the text ("ß" -> "SS").
std::optional<std::vector<UChar>> to_upper16(const std::vector<UChar>& wide) {
  std::vector<UChar> upper(wide.size() * 3 + 1);
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = u_strToUpper(upper.data(), static_cast<int32_t>(upper.size()), wide.data(),
                                      static_cast<int32_t>(wide.size()), "", &status);
  if (U_FAILURE(status)) return std::nullopt;
  upper.resize(static_cast<std::size_t>(length));
  return upper;
}

std::optional<std::string> to_utf8(const std::vector<UChar>& wide) {
  std::string text(wide.size() * 3 + 1, '\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8(text.data(), static_cast<int32_t>(text.size()), &length, wide.data(),
              static_cast<int32_t>(wide.size()), &status);
  if (U_FAILURE(status)) return std::nullopt;
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::optional<std::string> icu_upper(std::string_view text) {
  const auto wide = to_utf16(text);
  if (!wide) return std::nullopt;
  const auto upper = to_upper16(*wide);
  if (!upper) return std::nullopt;
  return to_utf8(*upper);
}

}  // namespace

std::string ascii_upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

std::string unicode_upper(std::string_view text) {
  if (is_ascii(text)) return ascii_upper(text);
  if (auto upper = icu_upper(text)) return std::move(*upper);
  return ascii_upper(text);
}

}  // namespace tessan
