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

TEST(ConsoleLine, PlainFormStripsEscapeSequencesAndTerminalFormKeepsThem) {
  EXPECT_EQ(format_console_line(LineKind::Ok, "a\x1b[1mb", false), "OK: ab\n");
  EXPECT_EQ(format_console_line(LineKind::Ok, "a\x1b[1mb", true),
            "\x1b[32m\x1b[1mOK:\x1b[0m a\x1b[1mb\n");
  EXPECT_EQ(format_console_line(LineKind::Info, "\x1b[31mred\x1b[0m", false), "red\n");
}

TEST(ConsoleLine, EscapeStrippingRules) {
  struct Row {
    std::string_view given;
    std::string_view kept;
  };
  const Row rows[] = {
      {"plain text", "plain text"},
      {"\x1b[1;31mbold red\x1b[0m", "bold red"},
      {"a\x1b[38;5;208mb", "ab"},  // up to the first letter, digits and ';' included
      {"a\x1bxb", "a\x1bxb"},      // ESC without '[' stays
      {"end\x1b", "end\x1b"},      // ESC at the very end stays
      {"cut\x1b[12", "cut"},       // no letter: the rest goes
      {"\x1b[\x1b[2Jx", "x"},      // the first letter ends the sequence
      {"caf\xc3\xa9 \x1b[Kok", "caf\xc3\xa9 ok"},  // multi-byte text is untouched
      {"[1m without ESC", "[1m without ESC"},
  };
  for (const auto& row : rows) EXPECT_EQ(strip_escape_sequences(row.given), row.kept) << row.given;
}

TEST(ConsoleLine, ColourOnlyOnATerminalWithoutNoColor) {
  EXPECT_TRUE(use_styled_lines(true, nullptr));
  EXPECT_TRUE(use_styled_lines(true, ""));
  EXPECT_FALSE(use_styled_lines(true, "1"));
  EXPECT_FALSE(use_styled_lines(false, nullptr));
  EXPECT_FALSE(use_styled_lines(false, ""));
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
