#include "atomic_file_write.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>

#include "interrupt_cleanup.hpp"

namespace tessan {

namespace {

mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The temporary file's name: hidden, in the target's directory, with a unique suffix of six
// letters and digits, and short, so that it fits wherever the target's own name fits.
constexpr std::string_view kTemporaryPrefix = ".tessan-write-";
constexpr std::size_t kUniqueSuffixLength = 6;
constexpr std::time_t kStaleAfterSeconds = 3600;

std::string temporary_pattern(const std::filesystem::path& path) {
  const std::filesystem::path directory = path.parent_path();
  const std::string name = std::string(kTemporaryPrefix) + std::string(kUniqueSuffixLength, 'X');
  return (directory.empty() ? std::filesystem::path(name) : directory / name).string();
}

bool is_temporary_name(std::string_view name) {
  if (name.size() != kTemporaryPrefix.size() + kUniqueSuffixLength) return false;
  if (!name.starts_with(kTemporaryPrefix)) return false;
  const std::string_view suffix = name.substr(kTemporaryPrefix.size());
  return std::all_of(suffix.begin(), suffix.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  });
}

// Removes the temporary files that an interrupted write left in `directory`: regular files of
// the temporary name last changed over an hour ago, so that no write still under way loses its
// file. Whatever cannot be listed or removed stays.
void remove_stale_temporaries(const std::filesystem::path& directory) {
  DIR* listing = ::opendir(directory.empty() ? "." : directory.c_str());
  if (listing == nullptr) return;
  const std::time_t stale_before = std::time(nullptr) - kStaleAfterSeconds;
  while (const dirent* entry = ::readdir(listing)) {
    if (!is_temporary_name(entry->d_name)) continue;
    struct stat st {};
    if (::fstatat(::dirfd(listing), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode) && st.st_mtime < stale_before) {
      ::unlinkat(::dirfd(listing), entry->d_name, 0);
    }
  }
  ::closedir(listing);
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
  remove_stale_temporaries(path.parent_path());
  std::string temporary = temporary_pattern(path);
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return failure(errno);
  InterruptCleanup cleanup(temporary);
  int err = fill_and_close(fd, content);
  if (err == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) ::unlink(temporary.c_str());
  cleanup.release();
  if (err != 0) return failure(err);
  return Unit{};
}

}  // namespace tessan
