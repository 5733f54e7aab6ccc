#include "altium_container/library_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>

namespace altium {

namespace {

constexpr std::size_t kMinimumCapacity = 1 << 16;

// Closes the descriptor when it leaves scope.
struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// A buffer of `capacity` bytes holding the first `used` bytes of `data`.
std::unique_ptr<std::uint8_t[]> grown(std::unique_ptr<std::uint8_t[]> data, std::size_t used,
                                      std::size_t capacity) {
  auto larger = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
  std::copy(data.get(), data.get() + used, larger.get());
  return larger;
}

Error too_large(std::uint64_t size, std::uint64_t max_bytes) {
  return Error("file too large (" + std::to_string(size) + " bytes; the limit is " +
               std::to_string(max_bytes) + ")");
}

// Reads the open file to its end; `size` is the size it had when opened. A file that grows
// past `max_bytes` meanwhile is refused once one byte more has been read.
Result<FileBytes> read_open_file(int fd, std::size_t size, std::size_t max_bytes) {
  // One byte more than the size found, so that a file that grew is noticed and read whole.
  std::size_t capacity = std::max(size + 1, kMinimumCapacity);
  auto data = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
  std::size_t used = 0;
  for (;;) {
    if (used > max_bytes) return too_large(used, max_bytes);
    if (used == capacity) {
      const std::size_t larger = std::min(capacity * 2, max_bytes + 1);
      data = grown(std::move(data), used, larger);
      capacity = larger;
    }
    const ssize_t n = ::read(fd, data.get() + used, capacity - used);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Error(std::strerror(errno));
    used += static_cast<std::size_t>(n);
  }
  return FileBytes(std::move(data), used);
}

}  // namespace

Result<FileBytes> read_library_file(const std::filesystem::path& path, std::uint64_t max_bytes) {
  // Non-blocking, so that opening a FIFO does not wait for a writer.
  const FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (file.fd < 0) return Error(std::strerror(errno));
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) return Error(std::strerror(errno));
  if (S_ISDIR(info.st_mode)) return Error(std::strerror(EISDIR));
  // Devices and pipes may never end (/dev/zero) or block; only regular files are read.
  if (!S_ISREG(info.st_mode)) return Error("not a regular file");

  const auto size = static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0));
  if (size > max_bytes) return too_large(size, max_bytes);
  try {
    return read_open_file(file.fd, static_cast<std::size_t>(size),
                          static_cast<std::size_t>(max_bytes));
  } catch (const std::bad_alloc&) {
    return Error("file too large to hold in memory");
  }
}

}  // namespace altium
