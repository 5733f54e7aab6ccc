// The result document on disk.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "atomic_file_write.hpp"
#include "result_doc_json.hpp"

namespace tessan {

namespace {

// The file's bytes, or the operating system's reason.
Result<std::string> read_whole_file(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Error(std::strerror(errno));
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    return Error(std::strerror(EISDIR));
  }
  std::string data;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int err = errno;
      ::close(fd);
      return Error(std::strerror(err));
    }
    data.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return data;
}

}  // namespace

VoidResult write_result_doc(const ResultDoc& doc, const std::filesystem::path& path) {
  auto text = serialize_result_doc(doc);
  if (!text) return std::move(text).error();
  return write_file_atomically(path, *text);
}

Result<ResultDoc> read_result_doc(const std::filesystem::path& path) {
  auto text = read_whole_file(path);
  if (!text) return Error("reading " + path.string(), std::move(text).error());
  return parse_result_doc(*text);
}

}  // namespace tessan
