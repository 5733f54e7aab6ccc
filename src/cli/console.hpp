// Every user-visible line goes through these functions.
#pragma once

#include <string_view>

namespace tessan {

void print_ok(std::string_view message);     // stdout, "OK: "
void print_error(std::string_view message);  // stderr, "ERROR: "
void print_hint(std::string_view message);   // stderr, "Hint: "
void print_info(std::string_view message);   // stdout, plain; silenced in quiet mode
void print_warn(std::string_view message);   // stderr, "WARN: "; silenced in quiet mode

// Quiet mode can be set once; later attempts are ignored.
void set_quiet_mode(bool quiet);
bool quiet_mode();

// The exit status of a command whose lines are all printed: `status`, or 1 with an ERROR: line
// when writing standard output failed (a full disk, a closed pipe).
int close_standard_output(int status);

}  // namespace tessan
