#include "parsers/eagle_pins.hpp"

#include <algorithm>

namespace tessan {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

std::string_view strip_pin_numbering(std::string_view name) {
  const std::size_t at = name.rfind('@');
  if (at == std::string_view::npos || at + 1 == name.size()) return name;
  const std::string_view suffix = name.substr(at + 1);
  const bool digits =
      std::all_of(suffix.begin(), suffix.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digits ? name.substr(0, at) : name;
}

// The blank-separated pad names of the connection; the whole value when it holds none.
bool EaglePinCollector::add(std::string_view pin, std::string_view pads) {
  const std::string_view name = strip_pin_numbering(pin);
  bool any = false;
  std::size_t pos = 0;
  while (pos < pads.size()) {
    while (pos < pads.size() && is_blank(pads[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < pads.size() && !is_blank(pads[pos])) ++pos;
    if (pos == start) continue;
    any = true;
    if (!add_one(pads.substr(start, pos - start), name)) return false;
  }
  return any || add_one(pads, name);
}

void EaglePinCollector::clear() {
  seen_.clear();
  pins_.clear();
}

bool EaglePinCollector::add_one(std::string_view number, std::string_view name) {
  // XML text cannot hold a NUL character, so it separates the two parts unambiguously.
  std::string key;
  key.reserve(number.size() + 1 + name.size());
  key.append(number).push_back('\0');
  key.append(name);
  if (!seen_.insert(std::move(key)).second) return true;
  if (pins_.size() == max_pins_) return false;
  Pin pin{std::string(number), std::string(name), false};
  pin.is_stub = is_stub_name(pin.name, pin.number);
  pins_.push_back(std::move(pin));
  return true;
}

}  // namespace tessan
