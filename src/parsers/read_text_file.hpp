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
// contain valid UTF-8". A file over kMaxLibraryFileBytes is refused before it is read, with
// "{path}: file too large ({n} bytes; the limit is 268435456)" as the error itself.
Result<std::string> read_text_file(const std::filesystem::path& path);

// A reader's error for a library file that could not be read for `reason` (an error of
// read_regular_file), as read_text_file gives it.
Error reading_error(const std::filesystem::path& path, Error reason);

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool is_valid_utf8(std::string_view text);

}  // namespace tessan
