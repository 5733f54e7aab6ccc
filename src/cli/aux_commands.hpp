// The auxiliary subcommands `inspect`, `health` and `install`.
#pragma once

#include "cli/command_line.hpp"

namespace tessan {

int run_inspect(const Inspect& inspect);
int run_health();
int run_install();

}  // namespace tessan
