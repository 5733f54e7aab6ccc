#include "cli/console.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "cli/console_line.hpp"

namespace tessan {

namespace {

std::optional<bool> g_quiet;

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
  std::fwrite(line.data(), 1, line.size(), stream);
  // Whole lines, in order, also when both streams go to one log.
  std::fflush(stream);
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

}  // namespace tessan
