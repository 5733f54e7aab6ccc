// Upper case with the full Unicode case mapping, for pin numbers, pad labels and package names.
#pragma once

#include <string>
#include <string_view>

namespace tessan {

// Upper-cases UTF-8 text with the root locale's full mapping ("ß" becomes "SS"). Pure ASCII
// takes a fast path. Bytes that are not well-formed UTF-8 are kept as they are, and only the
// ASCII letters around them are upper-cased.
std::string unicode_upper(std::string_view text);

// Upper-cases the ASCII letters a to z only; every other byte is kept.
std::string ascii_upper(std::string_view text);

}  // namespace tessan
