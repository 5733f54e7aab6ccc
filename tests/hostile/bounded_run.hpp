// Running a piece of work in a child process under a watchdog, to find out whether it ends and
// how much memory it takes, without letting a hang or a crash take the test process with it.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace tessan::hostile {

struct BoundedRun {
  bool finished = false;     // the work returned and its report arrived
  std::string report;        // what the work returned
  std::string ending;        // how the child ended when it did not finish ("killed by signal 11")
  double peak_rise_mib = 0;  // rise of the child's peak resident size while it worked
};

// Forks; the child runs `work` with an alarm set to `watchdog` and hands back its report.
BoundedRun run_bounded(const std::function<std::string()>& work,
                       std::chrono::seconds watchdog = std::chrono::seconds(120));

// A generous ceiling on the memory that reading an input of `input_bytes` may take: several
// times the input plus a fixed allowance (larger under the sanitizers, whose allocator keeps
// freed memory in quarantine). Unbounded growth goes far past it.
double memory_ceiling_mib(std::size_t input_bytes);

}  // namespace tessan::hostile
