#include "schlib_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

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

// Reads the open file to its end; `size` is the size it had when opened.
Result<Bytes> read_open_file(int fd, std::size_t size) {
  Bytes bytes(std::max(size + 1, kMinimumCapacity));
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Error(std::strerror(errno));
    used += static_cast<std::size_t>(n);
  }
  bytes.resize(used);
  return bytes;
}

}  // namespace

Result<Bytes> read_schlib_file(const std::filesystem::path& path) {
  // Non-blocking, so that opening a FIFO does not wait for a writer.
  const FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (file.fd < 0) return Error(std::strerror(errno));
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) return Error(std::strerror(errno));
  if (S_ISDIR(info.st_mode)) return Error(std::strerror(EISDIR));
  // Devices and pipes may never end (/dev/zero) or block; only regular files are read.
  if (!S_ISREG(info.st_mode)) return Error("not a regular file");

  try {
    return read_open_file(file.fd, static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)));
  } catch (const std::bad_alloc&) {
    return Error("file too large to hold in memory");
  } catch (const std::length_error&) {
    return Error("file too large to hold in memory");
  }
}

}  // namespace altium
