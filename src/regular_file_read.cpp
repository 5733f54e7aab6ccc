#include "regular_file_read.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

namespace tessan {

namespace {

// Reads the open file to its end; `size` is the size it had when opened, so that the text is
// held in one allocation (a file too large for memory fails at once instead of at its end).
Result<std::string> read_open_file(int fd, std::size_t size) {
  std::string data;
  data.reserve(size);
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) return data;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Error(std::strerror(errno));
    data.append(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace

Result<std::string> read_regular_file(const std::filesystem::path& path) {
  // Non-blocking, so that opening a FIFO does not wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Error(std::strerror(errno));
  struct stat info {};
  Result<std::string> data = Error("not a regular file");
  if (::fstat(fd, &info) != 0) {
    data = Error(std::strerror(errno));
  } else if (S_ISDIR(info.st_mode)) {
    data = Error(std::strerror(EISDIR));
  } else if (S_ISREG(info.st_mode)) {
    try {
      data = read_open_file(fd, static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)));
    } catch (const std::bad_alloc&) {
      data = Error("file too large to hold in memory");
    } catch (const std::length_error&) {
      data = Error("file too large to hold in memory");
    }
  }
  ::close(fd);
  return data;
}

}  // namespace tessan
