// Reading a library file whole into memory.
#pragma once

#include <filesystem>

#include "altium_container/container.hpp"

namespace altium {

// The file's bytes, or an error holding the operating system's reason.
Result<Bytes> read_schlib_file(const std::filesystem::path& path);

}  // namespace altium
