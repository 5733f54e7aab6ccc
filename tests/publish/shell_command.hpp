// Running shell commands from the tests of the installed artefacts.
#pragma once

#include <string>
#include <string_view>

#include "support/test_support.hpp"

namespace tessan::testing {

// `text` as one single-quoted shell word.
std::string shell_quote(std::string_view text);

// Runs `script` with /bin/sh, stdin from /dev/null, and captures both output streams.
ProcessResult run_shell(const std::string& script);

// Whether `program` is found on PATH.
bool have_program(const std::string& program);

}  // namespace tessan::testing
