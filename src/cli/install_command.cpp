#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "atomic_file_write.hpp"
#include "cli/aux_commands.hpp"
#include "cli/console.hpp"
#include "cli/skill_document.hpp"
#include "parsers/read_text_file.hpp"

namespace tessan {

namespace {

// HOME when it is set to a usable value. An empty HOME would put the skill under the current
// directory, so it counts as not set.
std::optional<std::filesystem::path> home_directory() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0' || !is_valid_utf8(home)) return std::nullopt;
  return std::filesystem::path(home);
}

std::string os_reason(const Error& error) {
  return error.cause() != nullptr ? error.cause()->message() : error.message();
}

}  // namespace

int run_install() {
  const auto home = home_directory();
  if (!home) {
    print_error("HOME not set");
    return 1;
  }
  const std::filesystem::path directory = *home / ".claude" / "skills" / "brel-tessan";
  std::error_code created;
  std::filesystem::create_directories(directory, created);
  if (created) {
    print_error("creating skill dir: " + created.message());
    return 1;
  }
  const std::filesystem::path file = directory / "SKILL.md";
  const auto written = write_file_atomically(file, SKILL_DOCUMENT);
  if (!written) {
    print_error("writing SKILL.md: " + os_reason(written.error()));
    return 1;
  }
  print_ok("installed SKILL.md \u2192 " + file.string());
  return 0;
}

}  // namespace tessan
