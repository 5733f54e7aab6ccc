#include "compare/pin_text.hpp"

#include <algorithm>

namespace tessan {
namespace {

constexpr std::string_view kSpace = " \t\n\r\f\v";

bool is_ascii_alnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string trim_space(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kSpace);
  return std::string(text.substr(first, last - first + 1));
}

std::string without_at_suffixes(std::string_view name) {
  for (;;) {
    const std::size_t at = name.rfind('@');
    if (at == std::string_view::npos) break;
    const std::string_view suffix = name.substr(at + 1);
    if (suffix.empty() || !std::all_of(suffix.begin(), suffix.end(), is_ascii_alnum)) break;
    name = name.substr(0, at);
  }
  return std::string(name);
}

Pin make_pin(std::string_view number, std::string_view name) {
  Pin pin{trim_space(number), trim_space(without_at_suffixes(trim_space(name))), false};
  pin.is_stub = is_stub_name(pin.name, pin.number);
  return pin;
}

}  // namespace tessan
