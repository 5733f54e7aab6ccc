// Reading a library file whole into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "altium_container/container.hpp"
#include "altium_container/library_limits.hpp"

namespace altium {

// The bytes of a file. The buffer is not zero-filled before the file is read into it.
class FileBytes {
 public:
  FileBytes() = default;
  FileBytes(std::unique_ptr<std::uint8_t[]> data, std::size_t size)
      : data_(std::move(data)), size_(size) {}
  ByteView view() const { return {data_.get(), size_}; }

 private:
  std::unique_ptr<std::uint8_t[]> data_;
  std::size_t size_ = 0;
};

// The file's bytes, or an error holding the operating system's reason. A file over
// `max_bytes` is refused before any byte of it is read, with "file too large ({n} bytes; the
// limit is {max_bytes})".
Result<FileBytes> read_library_file(const std::filesystem::path& path,
                                    std::uint64_t max_bytes = kDefaultMaxLibraryFileBytes);

}  // namespace altium
