// The `report` subcommand: the sources read and compared as `check` does, drawn as one
// self-contained HTML page.
#pragma once

#include "cli/command_line.hpp"

namespace tessan {

// Returns the process exit code: 0 when the page was written, 1 when the chip directory cannot
// be resolved or the page cannot be written, 2 for an unsafe MPN.
int run_report(const Report& report);

}  // namespace tessan
