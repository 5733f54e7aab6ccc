#include "cli/command_line.hpp"
#include "cli/console.hpp"

int main(int argc, char** argv) {
  const tessan::Cli cli = tessan::parse_command_line(argc, argv);
  return tessan::close_standard_output(tessan::dispatch(cli));
}
