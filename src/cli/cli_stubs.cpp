// Placeholders until the command line and the auxiliary subcommands land.
#include <cstdio>

#include "cli/aux_commands.hpp"
#include "cli/command_line.hpp"

namespace tessan {

Cli parse_command_line(int, char**) {
  return Health{};
}
int dispatch(const Cli&) {
  return run_health();
}
int run_inspect(const Inspect&) {
  return 1;
}
int run_health() {
  std::puts("OK: tessan 0.8.0 ready (parsers: quarn, kicad, eagle, altium)");
  return 0;
}
int run_install() {
  return 1;
}

}  // namespace tessan
