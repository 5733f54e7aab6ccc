// The `check` subcommand: discovery, reading, comparison, status, result document.
#pragma once

#include "cli/command_line.hpp"

namespace tessan {

// Returns the process exit code.
int run_check(const Check& check);

}  // namespace tessan
