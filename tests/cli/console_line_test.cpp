#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "cli/console.hpp"
#include "cli/console_line.hpp"

namespace tessan {
namespace {

TEST(ConsoleLine, EveryKindInPlainAndTerminalForm) {
  struct Row {
    LineKind kind;
    std::string_view plain;
    std::string_view styled;
  };
  const Row rows[] = {
      {LineKind::Ok, "OK: done\n", "\x1b[32m\x1b[1mOK:\x1b[0m done\n"},
      {LineKind::Error, "ERROR: done\n", "\x1b[31m\x1b[1mERROR:\x1b[0m done\n"},
      {LineKind::Hint, "Hint: done\n", "\x1b[2mHint:\x1b[0m done\n"},
      {LineKind::Info, "done\n", "\x1b[36mdone\x1b[0m\n"},
      {LineKind::Warn, "WARN: done\n", "\x1b[33m\x1b[1mWARN:\x1b[0m done\n"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(format_console_line(row.kind, "done", false), row.plain);
    EXPECT_EQ(format_console_line(row.kind, "done", true), row.styled);
  }
}

// Text quoted from a library file or a cached document cannot end the line, forge another
// line, or send a sequence of its own to the terminal, in either form.
TEST(ConsoleLine, ControlCharactersInMessagesAreShownEscaped) {
  struct Row {
    std::string_view given;
    std::string_view shown;
  };
  const Row rows[] = {
      {"plain text", "plain text"},
      {"fp\nOK: X \xe2\x80\x94 GOLDEN", "fp\\nOK: X \xe2\x80\x94 GOLDEN"},
      {"a\x1b[1mb", "a\\x1b[1mb"},
      {"\x1b]52;c;aGk=\x07", "\\x1b]52;c;aGk=\\x07"},  // clipboard write
      {"cr\r tab\t nul", "cr\\r tab\\t nul"},
      {std::string_view("z\0z", 3), "z\\x00z"},
      {"del\x7f unit\x1f", "del\\x7f unit\\x1f"},
      {"csi\xc2\x9b"
       "2J next\xc2\xa0",
       "csi\\u009b2J next\xc2\xa0"},  // C1 escaped, NBSP kept
      {"caf\xc3\xa9 \xe2\x86\x92", "caf\xc3\xa9 \xe2\x86\x92"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(escape_control_characters(row.given), row.shown) << row.given;
    EXPECT_EQ(format_console_line(LineKind::Ok, row.given, false),
              "OK: " + std::string(row.shown) + "\n");
    EXPECT_EQ(format_console_line(LineKind::Info, row.given, true),
              "\x1b[36m" + std::string(row.shown) + "\x1b[0m\n");
  }
}

TEST(ConsoleLine, ColourOnlyOnATerminalWithoutNoColorNorADumbTerm) {
  struct Row {
    bool is_terminal;
    const char* no_color;
    const char* term;
    bool styled;
  };
  const Row rows[] = {
      {true, nullptr, nullptr, true}, {true, "", "xterm", true},
      {true, "1", "xterm", false},    {true, nullptr, "dumb", false},
      {true, "", "dumb", false},      {false, nullptr, "xterm", false},
      {false, "", nullptr, false},    {true, nullptr, "dumber", true},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(use_styled_lines(row.is_terminal, row.no_color, row.term), row.styled)
        << row.is_terminal << " " << (row.no_color ? row.no_color : "(unset)") << " "
        << (row.term ? row.term : "(unset)");
  }
}

struct Captured {
  std::string out;
  std::string err;
};

std::string drain(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  ::close(fd);
  return text;
}

// Runs `emit` with standard output and standard error sent into pipes (small outputs only).
template <class Emit>
Captured capture_output(Emit emit) {
  int out_pipe[2];
  int err_pipe[2];
  if (::pipe(out_pipe) != 0 || ::pipe(err_pipe) != 0) std::abort();
  std::fflush(nullptr);
  ::dup2(out_pipe[1], STDOUT_FILENO);
  ::dup2(err_pipe[1], STDERR_FILENO);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  emit();
  std::fflush(nullptr);
  ::close(STDOUT_FILENO);
  ::close(STDERR_FILENO);
  return Captured{drain(out_pipe[0]), drain(err_pipe[0])};
}

void emit_every_kind() {
  print_info("progress");
  print_warn("summary");
  print_ok("ok");
  print_error("failed");
  print_hint("do this");
}

// Quiet mode and the terminal flags are process-wide, so each case runs in a child process.
TEST(ConsoleQuietMode, FirstSettingWinsAndSilencesOnlyInfoAndWarn) {
  EXPECT_EXIT(
      {
        set_quiet_mode(true);
        set_quiet_mode(false);
        const Captured captured = capture_output(emit_every_kind);
        const bool as_expected = quiet_mode() && captured.out == "OK: ok\n" &&
                                 captured.err == "ERROR: failed\nHint: do this\n";
        std::_Exit(as_expected ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ConsoleQuietMode, OffUntilSetAndPipesGetThePlainForm) {
  EXPECT_EXIT(
      {
        const Captured captured = capture_output(emit_every_kind);
        const bool as_expected = !quiet_mode() && captured.out == "progress\nOK: ok\n" &&
                                 captured.err == "WARN: summary\nERROR: failed\nHint: do this\n";
        std::_Exit(as_expected ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tessan
