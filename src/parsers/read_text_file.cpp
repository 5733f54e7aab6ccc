#include "parsers/read_text_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>

namespace tessan {

namespace {

Error os_error(int err) {
  return Error(std::strerror(err));
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

// Reads into data[filled..] until the end of the file, growing the buffer as needed.
Result<Unit> read_to_end(int fd, std::string& data, std::size_t filled) {
  constexpr std::size_t kMinimumSpare = std::size_t{1} << 16;
  for (;;) {
    if (data.size() - filled < kMinimumSpare) data.resize(filled + std::max(filled, kMinimumSpare));
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

Result<std::string> read_regular_file(int fd, std::size_t expected_size) {
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
  auto rest = read_to_end(fd, data, filled);
  if (!rest) return std::move(rest).error();
  return data;
}

Result<std::string> read_all(const std::filesystem::path& path) {
  // Non-blocking, so that opening a FIFO does not wait for a writer.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return os_error(errno);
  struct stat st {};
  if (::fstat(file.get(), &st) != 0) return os_error(errno);
  if (S_ISDIR(st.st_mode)) return os_error(EISDIR);
  // Devices and pipes may never end (/dev/zero) or block; only regular files are read.
  if (!S_ISREG(st.st_mode)) return Error("not a regular file");
  try {
    return read_regular_file(file.get(), static_cast<std::size_t>(st.st_size));
  } catch (const std::bad_alloc&) {
    return Error("file too large to hold in memory");
  } catch (const std::length_error&) {
    return Error("file too large to hold in memory");
  }
}

// Bytes below 0x80 are taken eight at a time.
const unsigned char* skip_ascii(const unsigned char* p, const unsigned char* end) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  while (end - p >= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    if ((word & kHighBits) != 0) break;
    p += 8;
  }
  while (p < end && *p < 0x80) ++p;
  return p;
}

// Length of the well-formed multi-byte sequence at p, or 0 when it is malformed.
int multibyte_length(const unsigned char* p, const unsigned char* end) {
  const unsigned char c = *p;
  int extra = 0;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    extra = 1;
  } else if (c >= 0xE0 && c <= 0xEF) {
    extra = 2;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    extra = 3;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (end - p <= extra) return 0;
  if (p[1] < lo || p[1] > hi) return 0;
  for (int i = 2; i <= extra; ++i) {
    if (p[i] < 0x80 || p[i] > 0xBF) return 0;
  }
  return extra + 1;
}

}  // namespace

bool is_valid_utf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  for (;;) {
    p = skip_ascii(p, end);
    if (p == end) return true;
    const int length = multibyte_length(p, end);
    if (length == 0) return false;
    p += length;
  }
}

Result<std::string> read_text_file(const std::filesystem::path& path) {
  auto data = read_all(path);
  if (!data) return Error("reading " + path.string(), std::move(data).error());
  if (!is_valid_utf8(*data)) {
    return Error("reading " + path.string(), Error("stream did not contain valid UTF-8"));
  }
  return std::move(data).value();
}

}  // namespace tessan
