#include "cli/console.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "cli/console_line.hpp"

namespace tessan {

namespace {

std::optional<bool> g_quiet;
int g_stdout_error = 0;  // errno of the first failed write to standard output

bool styled(int fd) {
  return use_styled_lines(::isatty(fd) == 1, std::getenv("NO_COLOR"), std::getenv("TERM"));
}

// Each stream is tested once, on first use.
bool stdout_styled() {
  static const bool value = styled(STDOUT_FILENO);
  return value;
}

bool stderr_styled() {
  static const bool value = styled(STDERR_FILENO);
  return value;
}

void emit(LineKind kind, std::string_view message) {
  const bool to_stdout = kind == LineKind::Ok || kind == LineKind::Info;
  const std::string line =
      format_console_line(kind, message, to_stdout ? stdout_styled() : stderr_styled());
  std::FILE* stream = to_stdout ? stdout : stderr;
  errno = 0;
  const bool written = std::fwrite(line.data(), 1, line.size(), stream) == line.size();
  // Whole lines, in order, also when both streams go to one log.
  const bool flushed = std::fflush(stream) == 0;
  if (to_stdout && (!written || !flushed) && g_stdout_error == 0) {
    g_stdout_error = errno != 0 ? errno : EIO;
  }
}

}  // namespace

void print_ok(std::string_view message) {
  emit(LineKind::Ok, message);
}
void print_error(std::string_view message) {
  emit(LineKind::Error, message);
}
void print_hint(std::string_view message) {
  emit(LineKind::Hint, message);
}

void print_info(std::string_view message) {
  if (!quiet_mode()) emit(LineKind::Info, message);
}

void print_warn(std::string_view message) {
  if (!quiet_mode()) emit(LineKind::Warn, message);
}

void set_quiet_mode(bool quiet) {
  if (!g_quiet) g_quiet = quiet;
}

bool quiet_mode() {
  return g_quiet.value_or(false);
}

int close_standard_output(int status) {
  if (std::fflush(stdout) != 0 && g_stdout_error == 0) g_stdout_error = errno != 0 ? errno : EIO;
  if (g_stdout_error == 0) return status;
  print_error(std::string("writing standard output: ") + std::strerror(g_stdout_error));
  return 1;
}

}  // namespace tessan
