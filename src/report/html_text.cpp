#include "report/html_text.hpp"

#include <unicode/utf8.h>

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace tessan::report {

namespace {

void append_code_point(std::string& out, UChar32 c) {
  switch (c) {
    case '&':
      out += "&amp;";
      return;
    case '<':
      out += "&lt;";
      return;
    case '>':
      out += "&gt;";
      return;
    case '"':
      out += "&quot;";
      return;
    case '\'':
      out += "&#39;";
      return;
    default:
      break;
  }
  const bool control = (c < 0x20 && c != '\t' && c != '\n') || (c >= 0x7f && c < 0xa0);
  if (control) return;
  char bytes[U8_MAX_LENGTH];
  std::int32_t length = 0;
  UBool error = false;
  U8_APPEND(bytes, length, U8_MAX_LENGTH, c, error);
  if (!error) out.append(bytes, static_cast<std::size_t>(length));
}

}  // namespace

std::string html_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  for (std::int32_t i = 0; i < length;) {
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    append_code_point(out, c < 0 ? 0xfffd : c);
  }
  return out;
}

std::string svg_number(double value) {
  if (!std::isfinite(value)) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.4f", value);
  std::string text = buffer;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

}  // namespace tessan::report
