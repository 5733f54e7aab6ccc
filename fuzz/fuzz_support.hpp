// Helpers shared by the fuzz targets: scratch files on a memory file system for the readers
// that take paths, and checks of properties that every reader's output must have.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "compare/source_data.hpp"

namespace tessan::fuzz {

// The fuzz input as text (bytes unchanged).
inline std::string_view as_text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A directory of this process on /dev/shm (or the temporary directory when there is none),
// created on first use and removed at exit.
const std::filesystem::path& scratch_dir();

// Writes `content` to scratch_dir()/name, replacing the file, and returns its path.
std::filesystem::path write_scratch_file(std::string_view name, std::string_view content);

// Reports a broken property of the code under test and aborts, so that the fuzzer keeps the
// input as a crash.
[[noreturn]] void fail(std::string_view what);

inline void require(bool holds, std::string_view what) {
  if (!holds) fail(what);
}

// Every text of the record is valid UTF-8, and the stub flags follow the stub rule.
void require_sound_record(const SourceData& record);

}  // namespace tessan::fuzz
