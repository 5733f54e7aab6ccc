#include "parsers/eagle_pins.hpp"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "compare/pin_text.hpp"

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
    Pin pin = make_pin(number, name);
    // XML text cannot hold a NUL character, so it separates the two parts unambiguously.
    std::string key;
    key.reserve(pin.number.size() + 1 + pin.name.size());
    key.append(pin.number).push_back('\0');
    key.append(pin.name);
    if (!seen_.insert(std::move(key)).second) return;
    pins_.push_back(std::move(pin));
  }
  std::vector<Pin> take() { return std::move(pins_); }

 private:
  std::unordered_set<std::string> seen_;
  std::vector<Pin> pins_;
};

}  // namespace

std::vector<Pin> eagle_pins(const EagleLibrary& library) {
  DistinctPins pins;
  for (const EagleConnect& connect : library.connects) {
    for (const std::string_view pad : pad_names(connect.pad)) pins.add(pad, connect.pin);
  }
  return pins.take();
}

}  // namespace tessan
