#include "atomic_file_write.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace tessan {

namespace {

mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The temporary file's name pattern: hidden, in the target's directory, unique suffix, and
// short, so that it fits wherever the target's own name fits.
std::string temporary_pattern(const std::filesystem::path& path) {
  const std::filesystem::path directory = path.parent_path();
  const std::string name = ".tessan-write-XXXXXX";
  return (directory.empty() ? std::filesystem::path(name) : directory / name).string();
}

// 0 on success, else the errno value.
int write_all(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

// Fills the open temporary file and closes it; 0 on success, else the errno value.
int fill_and_close(int fd, std::string_view content) {
  int err = write_all(fd, content);
  if (err == 0 && ::fchmod(fd, new_file_mode()) != 0) err = errno;
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

}  // namespace

VoidResult write_file_atomically(const std::filesystem::path& path, std::string_view content) {
  const auto failure = [&](int err) {
    return Error("writing " + path.string(), Error(std::strerror(err)));
  };
  std::string temporary = temporary_pattern(path);
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return failure(errno);
  int err = fill_and_close(fd, content);
  if (err == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temporary.c_str());
    return failure(err);
  }
  return Unit{};
}

}  // namespace tessan
