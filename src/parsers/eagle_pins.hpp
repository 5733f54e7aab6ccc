// The pins of an EAGLE library's chosen device, from its pin-to-pad connections.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "compare/source_data.hpp"

namespace tessan {

// Collects pins connect by connect. A connection naming several blank-separated pads gives one
// pin per pad; numbers and names are cleaned as every reader cleans them (`make_pin`: a pin
// name's "@" suffixes, which EAGLE needs for pins sharing a name, are dropped); each distinct
// (pad, name) pair is kept once, in order of first occurrence.
class EaglePinCollector {
 public:
  explicit EaglePinCollector(std::size_t max_pins) : max_pins_(max_pins) {}

  // Adds the pins of one connection; false, at once, when the pins then number more than
  // `max_pins`.
  bool add(std::string_view pin, std::string_view pads);
  // Forgets every pin collected so far.
  void clear();
  std::vector<Pin> take() { return std::move(pins_); }

 private:
  bool add_one(std::string_view number, std::string_view name);

  std::size_t max_pins_;
  std::unordered_set<std::string> seen_;
  std::vector<Pin> pins_;
};

}  // namespace tessan
