// Replacing a whole file so that readers see either the old contents or the new, never a part.
#pragma once

#include <filesystem>
#include <string_view>

#include "tessan_error.hpp"

namespace tessan {

// Writes `content` to a new temporary file beside `path` and renames it over `path`. The file
// gets the mode a newly created file would get (0666 reduced by the file-creation mask).
// Fails with "writing " + path, the operating system's reason attached; the temporary file is
// removed on failure, and when SIGINT or SIGTERM ends the process during the write. Temporary
// files of earlier writes to the directory that were left over an hour ago are removed first.
VoidResult write_file_atomically(const std::filesystem::path& path, std::string_view content);

}  // namespace tessan
