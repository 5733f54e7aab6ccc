// The tool's lines when its output streams are a terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "support/test_support.hpp"

extern char** environ;

namespace tessan {
namespace {

using testing::TempDir;

struct TerminalRun {
  int exit_code = -1;
  std::string output;  // standard output and standard error together
};

std::vector<std::string> environment_with(const std::vector<std::string>& additions) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string_view entry(*e);
    if (!entry.starts_with("NO_COLOR=") && !entry.starts_with("TERM=")) env.emplace_back(*e);
  }
  env.insert(env.end(), additions.begin(), additions.end());
  return env;
}

[[noreturn]] void exec_on_terminal(int terminal, std::vector<std::string> args,
                                   std::vector<std::string> env) {
  const int devnull = ::open("/dev/null", O_RDONLY);
  ::dup2(devnull, STDIN_FILENO);
  ::dup2(terminal, STDOUT_FILENO);
  ::dup2(terminal, STDERR_FILENO);
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  ::execve(argv[0], argv.data(), envp.data());
  ::_exit(127);
}

// Runs the built tool with both output streams on one pseudo-terminal, output bytes unchanged.
TerminalRun run_on_terminal(std::vector<std::string> args,
                            const std::vector<std::string>& env_additions = {}) {
  int controller = -1;
  int terminal = -1;
  if (::openpty(&controller, &terminal, nullptr, nullptr, nullptr) != 0) {
    ADD_FAILURE() << "openpty failed";
    return {};
  }
  termios settings{};
  ::tcgetattr(terminal, &settings);
  settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);  // no "\n" to "\r\n"
  ::tcsetattr(terminal, TCSANOW, &settings);
  args.insert(args.begin(), testing::tessan_binary().string());
  const auto env = environment_with(env_additions);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(controller);
    exec_on_terminal(terminal, args, env);
  }
  ::close(terminal);
  TerminalRun run;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = ::read(controller, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
    if (n > 0) run.output.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(controller);
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

constexpr std::string_view kHealth = "tessan 0.8.0 ready (parsers: quarn, kicad, eagle, altium)\n";

TEST(TerminalOutput, LabelsAreColouredOnATerminal) {
  const auto run = run_on_terminal({"health"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.output, "\x1b[32m\x1b[1mOK:\x1b[0m " + std::string(kHealth));
}

TEST(TerminalOutput, NoColorSwitchesColourOffUnlessEmpty) {
  EXPECT_EQ(run_on_terminal({"health"}, {"NO_COLOR=1"}).output, "OK: " + std::string(kHealth));
  EXPECT_EQ(run_on_terminal({"health"}, {"NO_COLOR="}).output,
            "\x1b[32m\x1b[1mOK:\x1b[0m " + std::string(kHealth));
}

TEST(TerminalOutput, ADumbTerminalGetsNoColour) {
  EXPECT_EQ(run_on_terminal({"health"}, {"TERM=dumb"}).output, "OK: " + std::string(kHealth));
  EXPECT_EQ(run_on_terminal({"health"}, {"TERM=xterm"}).output,
            "\x1b[32m\x1b[1mOK:\x1b[0m " + std::string(kHealth));
}

TEST(TerminalOutput, ErrorAndHintLinesOnATerminal) {
  TempDir tmp;
  const std::string chip = (tmp.path() / "M").string();
  const auto run = run_on_terminal({"inspect", chip});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, "\x1b[31m\x1b[1mERROR:\x1b[0m no tessan result at " + chip +
                            "/M-tessan.result.json\n" + "\x1b[2mHint:\x1b[0m run `tessan check " +
                            chip + "` first\n");
}

TEST(TerminalOutput, InfoLinesAreCyanAndShowTheDocumentsControlCharactersEscaped) {
  TempDir tmp;
  tmp.write("M/M-tessan.result.json",
            R"({"schema_version":"1","status":"golden","exit_code":0,"mpn":"M\u001b[1m\nOK: x",)"
            R"("summary":"s","sources_compared":[],"sources_missing":[],"axes":[],)"
            R"("variants":[],"hints":[],"extractor_version":"0.8.0"})");
  const auto run = run_on_terminal({"inspect", (tmp.path() / "M").string()});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.output,
            "\x1b[36mMPN: M\\x1b[1m\\nOK: x \u2014 status: Golden, exit_code: 0\x1b[0m\n"
            "\x1b[36mSources compared: []\x1b[0m\n"
            "\x1b[36mAxes:\x1b[0m\n");

  const auto piped = testing::run_tessan({"inspect", (tmp.path() / "M").string()});
  EXPECT_EQ(piped.out.substr(0, piped.out.find('\n')),
            "MPN: M\\x1b[1m\\nOK: x \u2014 status: Golden, exit_code: 0");
}

}  // namespace
}  // namespace tessan
