// Reading a whole regular file into memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "reader_limits.hpp"
#include "tessan_error.hpp"

namespace tessan {

// The largest result document read back; those this tool writes stay under a few MB.
inline constexpr std::uint64_t kMaxResultDocumentBytes = std::uint64_t{64} << 20;

// The file's bytes. Fails with the operating system's reason ("No such file or directory",
// "Is a directory", ...), with "not a regular file" for FIFOs, devices and sockets, which
// could block or never end, or, before any byte is read, with "file too large ({n} bytes; the
// limit is {max_bytes})" for a file over `max_bytes`, sparse or not.
Result<std::string> read_regular_file(const std::filesystem::path& path,
                                      std::uint64_t max_bytes = kMaxLibraryFileBytes);

// Whether `error` is the refusal of a file over the bound.
bool is_file_too_large(const Error& error);

}  // namespace tessan
