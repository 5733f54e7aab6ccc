#include "shell_command.hpp"

#include <sys/wait.h>

#include <cstdlib>

namespace tessan::testing {

std::string shell_quote(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

ProcessResult run_shell(const std::string& script) {
  const TempDir capture;
  const auto out = capture.path() / "out";
  const auto err = capture.path() / "err";
  const std::string command = "( " + script + "\n) </dev/null >" + shell_quote(out.string()) +
                              " 2>" + shell_quote(err.string());
  const int status = std::system(command.c_str());
  ProcessResult result;
  result.exit_code = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = read_file(out);
  result.err = read_file(err);
  return result;
}

bool have_program(const std::string& program) {
  return run_shell("command -v " + shell_quote(program)).exit_code == 0;
}

}  // namespace tessan::testing
