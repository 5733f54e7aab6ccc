// Reading a whole regular file into memory.
#pragma once

#include <filesystem>
#include <string>

#include "tessan_error.hpp"

namespace tessan {

// The file's bytes. Fails with the operating system's reason ("No such file or directory",
// "Is a directory", ...) or with "not a regular file" for FIFOs, devices and sockets, which
// could block or never end.
Result<std::string> read_regular_file(const std::filesystem::path& path);

}  // namespace tessan
