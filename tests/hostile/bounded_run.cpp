#include "hostile/bounded_run.hpp"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "hostile/hostile_inputs.hpp"

namespace tessan::hostile {

namespace {

long peak_kib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void write_all(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

std::string read_all(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      return text;
    }
  }
}

// The child: the first line of what it sends is the rise of its peak in KiB.
[[noreturn]] void run_child(int fd, const std::function<std::string()>& work,
                            std::chrono::seconds watchdog) {
  const long before = peak_kib();
  alarm(static_cast<unsigned>(watchdog.count()));
  std::string report;
  try {
    report = work();
  } catch (const std::exception& e) {
    report = std::string("exception escaped: ") + e.what();
  } catch (...) {
    report = "exception escaped";
  }
  write_all(fd, std::to_string(peak_kib() - before) + "\n" + report);
  _exit(0);
}

std::string describe_ending(int status) {
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    if (signal == SIGALRM) return "did not end before the watchdog";
    return "killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
  }
  if (WIFEXITED(status)) return "exited with status " + std::to_string(WEXITSTATUS(status));
  return "ended abnormally";
}

}  // namespace

BoundedRun run_bounded(const std::function<std::string()>& work, std::chrono::seconds watchdog) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    close(fds[0]);
    run_child(fds[1], work, watchdog);
  }
  close(fds[1]);
  const std::string sent = read_all(fds[0]);
  close(fds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }

  BoundedRun run;
  const std::size_t newline = sent.find('\n');
  run.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0 && newline != std::string::npos;
  if (!run.finished) {
    run.ending = describe_ending(status);
    return run;
  }
  run.peak_rise_mib = std::stod(sent.substr(0, newline)) / 1024.0;
  run.report = sent.substr(newline + 1);
  return run;
}

double memory_ceiling_mib(std::size_t input_bytes) {
  const double input_mib = static_cast<double>(input_bytes) / (1024.0 * 1024.0);
  return sanitized_build() ? 8 * input_mib + 1024 : 6 * input_mib + 256;
}

}  // namespace tessan::hostile
