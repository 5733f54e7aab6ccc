// The texts of the program's own --help output, taken apart, so that the manual page and the
// completion script can be held against them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessan::testing {

struct HelpListing {
  // Program and command descriptions and the help text of every option.
  std::vector<std::string> descriptions;
  // Long option names, "--force" and so on.
  std::vector<std::string> long_options;
};

HelpListing parse_help(std::string_view help_text);

// The listing of `tessan <command> --help` (the program's own help for an empty command).
HelpListing help_of(const std::string& command);

}  // namespace tessan::testing
