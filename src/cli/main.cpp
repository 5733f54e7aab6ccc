#include "cli/command_line.hpp"

int main(int argc, char** argv) {
  const tessan::Cli cli = tessan::parse_command_line(argc, argv);
  return tessan::dispatch(cli);
}
