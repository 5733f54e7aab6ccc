// Reading a whole file as UTF-8 text, with the readers' error message.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tessan_error.hpp"

namespace tessan {

// The bytes of a regular file, which must be valid UTF-8. Fails with "reading " + path; the
// cause is the operating system's reason, "not a regular file" (devices and pipes are refused,
// as they may block or never end), "file too large to hold in memory", or "stream did not
// contain valid UTF-8".
Result<std::string> read_text_file(const std::filesystem::path& path);

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool is_valid_utf8(std::string_view text);

}  // namespace tessan
