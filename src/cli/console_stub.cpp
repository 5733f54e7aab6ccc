// Placeholder until the console lands.
#include <cstdio>
#include <string>

#include "cli/console.hpp"

namespace tessan {

namespace {
bool g_quiet = false;
void line(std::FILE* f, std::string_view label, std::string_view m) {
  std::fprintf(f, "%.*s%.*s\n", static_cast<int>(label.size()), label.data(),
               static_cast<int>(m.size()), m.data());
}
}  // namespace

void print_ok(std::string_view m) {
  line(stdout, "OK: ", m);
}
void print_error(std::string_view m) {
  line(stderr, "ERROR: ", m);
}
void print_hint(std::string_view m) {
  line(stderr, "Hint: ", m);
}
void print_info(std::string_view m) {
  if (!g_quiet) line(stdout, "", m);
}
void print_warn(std::string_view m) {
  if (!g_quiet) line(stderr, "WARN: ", m);
}
void set_quiet_mode(bool q) {
  g_quiet = q;
}
bool quiet_mode() {
  return g_quiet;
}

}  // namespace tessan
