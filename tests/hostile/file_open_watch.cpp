#include "hostile/file_open_watch.hpp"

#include <sys/inotify.h>
#include <unistd.h>

#include <stdexcept>

namespace tessan::hostile {

FileOpenWatch::FileOpenWatch(const std::filesystem::path& path)
    : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (fd_ < 0 || inotify_add_watch(fd_, path.c_str(), IN_OPEN | IN_ACCESS) < 0) {
    throw std::runtime_error("cannot watch " + path.string());
  }
}

FileOpenWatch::~FileOpenWatch() {
  if (fd_ >= 0) close(fd_);
}

bool FileOpenWatch::touched() const {
  alignas(inotify_event) char buffer[4096];
  return read(fd_, buffer, sizeof buffer) > 0;
}

}  // namespace tessan::hostile
