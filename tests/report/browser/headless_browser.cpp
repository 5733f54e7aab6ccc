#include "report/browser/headless_browser.hpp"

#include <sys/wait.h>
#include <cstdlib>
#include <sstream>

#include "support/test_support.hpp"

namespace tessan::testing {

namespace {

constexpr int kSecondsPerRun = 90;

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs the browser once with `action` and the common flags; stdout and stderr go to files.
bool run_browser(const std::string& action, const std::filesystem::path& page,
                 const std::filesystem::path& out, const std::filesystem::path& err) {
  const TempDir profile;
  const std::string command =
      "timeout -k 5 " + std::to_string(kSecondsPerRun) +
      " chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
      " --disable-background-networking --disable-component-update --disable-sync"
      " --disable-extensions --hide-scrollbars --enable-logging=stderr --v=0"
      " --user-data-dir=" +
      quoted(profile.path().string()) + " " + action + " " + quoted("file://" + page.string()) +
      " </dev/null >" + quoted(out.string()) + " 2>" + quoted(err.string());
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The console messages among the browser's log lines ("...:INFO:CONSOLE(12)] ..." and alike).
std::string console_lines(const std::string& log) {
  std::istringstream lines(log);
  std::string out;
  for (std::string line; std::getline(lines, line);) {
    if (line.find(":CONSOLE") != std::string::npos) out += line + "\n";
  }
  return out;
}

}  // namespace

bool have_browser() {
  return std::system("command -v chromium >/dev/null 2>&1") == 0;
}

Rendering render_page(const std::filesystem::path& page, const std::filesystem::path& screenshot,
                      int height) {
  const TempDir logs;
  const auto out = logs.path() / "out", err = logs.path() / "err";
  Rendering rendering;
  const bool shot = run_browser("--window-size=1280," + std::to_string(height) +
                                    " --screenshot=" + quoted(screenshot.string()),
                                page, out, err);
  const std::string shot_log = read_file(err);
  const bool dumped = run_browser("--dump-dom", page, out, err);
  const std::string dump_log = read_file(err);
  rendering.finished = shot && dumped;
  rendering.dom = read_file(out);
  rendering.console = console_lines(shot_log) + console_lines(dump_log);
  rendering.diagnostics = shot_log + dump_log;
  return rendering;
}

}  // namespace tessan::testing
