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

constexpr std::string_view kTooLarge = "file too large (";

Error os_error(int err) {
  return Error(std::strerror(err));
}

Error too_large(std::uint64_t size, std::uint64_t max_bytes) {
  return Error(std::string(kTooLarge) + std::to_string(size) + " bytes; the limit is " +
               std::to_string(max_bytes) + ")");
}

// Closes the descriptor when the read ends, whichever way it ends.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads into data[filled..] until the end of the file, growing the buffer as needed, up to one
// byte past `max_bytes`.
Result<Unit> read_to_end(int fd, std::string& data, std::size_t filled, std::size_t max_bytes) {
  constexpr std::size_t kMinimumSpare = std::size_t{1} << 16;
  for (;;) {
    if (filled > max_bytes) return too_large(filled, max_bytes);
    if (data.size() - filled < kMinimumSpare) {
      data.resize(std::min(filled + std::max(filled, kMinimumSpare), max_bytes + 1));
    }
    const ssize_t n = ::read(fd, data.data() + filled, data.size() - filled);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return os_error(errno);
    }
    filled += static_cast<std::size_t>(n);
  }
  data.resize(filled);
  return Unit{};
}

Result<std::string> read_open_file(int fd, std::size_t expected_size, std::size_t max_bytes) {
  std::string data;
  // One byte more than the size announced, so that a file of unchanged size ends in one read.
  data.resize(expected_size + 1);
  std::size_t filled = 0;
  while (filled < data.size()) {
    const ssize_t n = ::read(fd, data.data() + filled, data.size() - filled);
    if (n == 0) {
      data.resize(filled);
      return data;
    }
    if (n < 0) {
      if (errno == EINTR) continue;
      return os_error(errno);
    }
    filled += static_cast<std::size_t>(n);
  }
  // The file grew while it was read.
  auto rest = read_to_end(fd, data, filled, max_bytes);
  if (!rest) return std::move(rest).error();
  return data;
}

}  // namespace

Result<std::string> read_regular_file(const std::filesystem::path& path, std::uint64_t max_bytes) {
  // Non-blocking, so that opening a FIFO does not wait for a writer.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return os_error(errno);
  struct stat st {};
  if (::fstat(file.get(), &st) != 0) return os_error(errno);
  if (S_ISDIR(st.st_mode)) return os_error(EISDIR);
  // Devices and pipes may never end (/dev/zero) or block; only regular files are read.
  if (!S_ISREG(st.st_mode)) return Error("not a regular file");
  const auto size = static_cast<std::uint64_t>(std::max<off_t>(st.st_size, 0));
  if (size > max_bytes) return too_large(size, max_bytes);
  try {
    return read_open_file(file.get(), static_cast<std::size_t>(size),
                          static_cast<std::size_t>(max_bytes));
  } catch (const std::bad_alloc&) {
    return Error("file too large to hold in memory");
  } catch (const std::length_error&) {
    return Error("file too large to hold in memory");
  }
}

bool is_file_too_large(const Error& error) {
  return error.message().starts_with(kTooLarge);
}

}  // namespace tessan
