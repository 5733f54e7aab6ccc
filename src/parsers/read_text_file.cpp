#include "parsers/read_text_file.hpp"

#include <cstdint>
#include <cstring>

#include "regular_file_read.hpp"

namespace tessan {

namespace {

// Bytes below 0x80 are taken eight at a time.
const unsigned char* skip_ascii(const unsigned char* p, const unsigned char* end) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  while (end - p >= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    if ((word & kHighBits) != 0) break;
    p += 8;
  }
  while (p < end && *p < 0x80) ++p;
  return p;
}

// Length of the well-formed multi-byte sequence at p, or 0 when it is malformed.
int multibyte_length(const unsigned char* p, const unsigned char* end) {
  const unsigned char c = *p;
  int extra = 0;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    extra = 1;
  } else if (c >= 0xE0 && c <= 0xEF) {
    extra = 2;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    extra = 3;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (end - p <= extra) return 0;
  if (p[1] < lo || p[1] > hi) return 0;
  for (int i = 2; i <= extra; ++i) {
    if (p[i] < 0x80 || p[i] > 0xBF) return 0;
  }
  return extra + 1;
}

}  // namespace

Error reading_error(const std::filesystem::path& path, Error reason) {
  if (is_file_too_large(reason)) return Error(path.string() + ": " + reason.message());
  return Error("reading " + path.string(), std::move(reason));
}

bool is_valid_utf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  for (;;) {
    p = skip_ascii(p, end);
    if (p == end) return true;
    const int length = multibyte_length(p, end);
    if (length == 0) return false;
    p += length;
  }
}

Result<std::string> read_text_file(const std::filesystem::path& path) {
  auto data = read_regular_file(path);
  if (!data) return reading_error(path, std::move(data).error());
  if (!is_valid_utf8(*data)) {
    return Error("reading " + path.string(), Error("stream did not contain valid UTF-8"));
  }
  return std::move(data).value();
}

}  // namespace tessan
