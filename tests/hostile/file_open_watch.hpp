// Watching a file for being opened or read, by anyone, through inotify.
#pragma once

#include <filesystem>

namespace tessan::hostile {

class FileOpenWatch {
 public:
  explicit FileOpenWatch(const std::filesystem::path& path);
  ~FileOpenWatch();
  FileOpenWatch(const FileOpenWatch&) = delete;
  FileOpenWatch& operator=(const FileOpenWatch&) = delete;

  // Whether the file was opened or read since the watch began.
  bool touched() const;

 private:
  int fd_;
};

}  // namespace tessan::hostile
