// Decoding of Altium text: UTF-8 kept as it is, anything else read as Windows-1252.
#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "altium_container/records.hpp"

namespace altium {
namespace {

bool is_ascii(ByteView bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; });
}

bool is_valid_utf8(ByteView bytes) {
  const auto* s = bytes.data();
  const auto length = static_cast<std::int32_t>(bytes.size());
  std::int32_t i = 0;
  while (i < length) {
    UChar32 c = 0;
    U8_NEXT(s, i, length, c);
    if (c < 0) return false;
  }
  return true;
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// One Windows-1252 converter per thread (ICU converters are not thread-safe); null when ICU
// cannot provide one.
UConverter* windows_1252_converter() {
  thread_local ConverterPtr converter = [] {
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr opened(ucnv_open("windows-1252", &status));
    if (U_FAILURE(status)) opened.reset();
    return opened;
  }();
  return converter.get();
}

// Every byte of a single-byte code page becomes one UTF-16 unit; the five bytes Windows-1252
// leaves undefined come out as the C1 controls of the same value.
std::string windows_1252_to_utf8(ByteView bytes) {
  UConverter* converter = windows_1252_converter();
  if (converter == nullptr || bytes.size() > INT32_MAX / 3) return {};
  ucnv_reset(converter);
  const auto length = static_cast<std::int32_t>(bytes.size());
  std::vector<UChar> utf16(bytes.size() + 1);
  UErrorCode status = U_ZERO_ERROR;
  const std::int32_t units =
      ucnv_toUChars(converter, utf16.data(), static_cast<std::int32_t>(utf16.size()),
                    reinterpret_cast<const char*>(bytes.data()), length, &status);
  if (U_FAILURE(status)) return {};
  std::string utf8(static_cast<std::size_t>(units) * 3, '\0');
  std::int32_t written = 0;
  status = U_ZERO_ERROR;
  u_strToUTF8(utf8.data(), static_cast<std::int32_t>(utf8.size()), &written, utf16.data(), units,
              &status);
  if (U_FAILURE(status)) return {};
  utf8.resize(static_cast<std::size_t>(written));
  return utf8;
}

}  // namespace

std::string decode_altium_text(ByteView bytes) {
  if (is_ascii(bytes) || is_valid_utf8(bytes)) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  return windows_1252_to_utf8(bytes);
}

}  // namespace altium
