#include "schlib_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

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

}  // namespace

Result<Bytes> read_schlib_file(const std::filesystem::path& path) {
  const FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (file.fd < 0) return Error(std::strerror(errno));
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) return Error(std::strerror(errno));
  if (S_ISDIR(info.st_mode)) return Error(std::strerror(EISDIR));

  Bytes bytes(
      std::max(static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)) + 1, kMinimumCapacity));
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(file.fd, bytes.data() + used, bytes.size() - used);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Error(std::strerror(errno));
    used += static_cast<std::size_t>(n);
  }
  bytes.resize(used);
  return bytes;
}

}  // namespace altium
