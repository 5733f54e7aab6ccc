#include "cli/typed_path.hpp"

#include <string_view>

namespace tessan {

std::optional<std::string> typed_last_component(const std::filesystem::path& path) {
  std::string_view rest = path.native();
  std::string_view last;
  while (!rest.empty()) {
    const auto slash = rest.find('/');
    const std::string_view component = rest.substr(0, slash);
    if (!component.empty() && component != ".") last = component;
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
  }
  if (last.empty() || last == "..") return std::nullopt;
  return std::string(last);
}

}  // namespace tessan
