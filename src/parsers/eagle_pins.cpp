#include "parsers/eagle_pins.hpp"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace tessan {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The blank-separated pad names of a connection; the whole value when it holds none.
std::vector<std::string_view> pad_names(std::string_view pads) {
  std::vector<std::string_view> names;
  std::size_t pos = 0;
  while (pos < pads.size()) {
    while (pos < pads.size() && is_blank(pads[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < pads.size() && !is_blank(pads[pos])) ++pos;
    if (pos > start) names.push_back(pads.substr(start, pos - start));
  }
  if (names.empty()) names.push_back(pads);
  return names;
}

class DistinctPins {
 public:
  void add(std::string_view number, std::string_view name) {
    // XML text cannot hold a NUL character, so it separates the two parts unambiguously.
    std::string key;
    key.reserve(number.size() + 1 + name.size());
    key.append(number).push_back('\0');
    key.append(name);
    if (!seen_.insert(std::move(key)).second) return;
    Pin pin{std::string(number), std::string(name), false};
    pin.is_stub = is_stub_name(pin.name, pin.number);
    pins_.push_back(std::move(pin));
  }
  std::vector<Pin> take() { return std::move(pins_); }

 private:
  std::unordered_set<std::string> seen_;
  std::vector<Pin> pins_;
};

}  // namespace

std::string_view strip_pin_numbering(std::string_view name) {
  const std::size_t at = name.rfind('@');
  if (at == std::string_view::npos || at + 1 == name.size()) return name;
  const std::string_view suffix = name.substr(at + 1);
  const bool digits =
      std::all_of(suffix.begin(), suffix.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digits ? name.substr(0, at) : name;
}

std::vector<Pin> eagle_pins(const EagleLibrary& library) {
  DistinctPins pins;
  for (const EagleConnect& connect : library.connects) {
    const std::string_view name = strip_pin_numbering(connect.pin);
    for (const std::string_view pad : pad_names(connect.pad)) pins.add(pad, name);
  }
  return pins.take();
}

}  // namespace tessan
