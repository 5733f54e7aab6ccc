#include "parsers/eagle_pins.hpp"

#include <algorithm>

#include "compare/pin_text.hpp"

namespace tessan {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

// The blank-separated pad names of the connection; the whole value when it holds none.
bool EaglePinCollector::add(std::string_view pin, std::string_view pads) {
  bool any = false;
  std::size_t pos = 0;
  while (pos < pads.size()) {
    while (pos < pads.size() && is_blank(pads[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < pads.size() && !is_blank(pads[pos])) ++pos;
    if (pos == start) continue;
    any = true;
    if (!add_one(pads.substr(start, pos - start), pin)) return false;
  }
  return any || add_one(pads, pin);
}

void EaglePinCollector::clear() {
  seen_.clear();
  pins_.clear();
}

bool EaglePinCollector::add_one(std::string_view number, std::string_view name) {
  Pin pin = make_pin(number, name);
  // XML text cannot hold a NUL character, so it separates the two parts unambiguously.
  std::string key;
  key.reserve(pin.number.size() + 1 + pin.name.size());
  key.append(pin.number).push_back('\0');
  key.append(pin.name);
  if (!seen_.insert(std::move(key)).second) return true;
  if (pins_.size() == max_pins_) return false;
  pins_.push_back(std::move(pin));
  return true;
}

}  // namespace tessan
