// Pin descriptions for the record builders, set field by field.
#pragma once

#include <string>

#include "support/altium_builders.hpp"

namespace schlib_test {

using PinFields = tessan::testing::SchPin;

inline PinFields make_pin(std::string name, std::string designator, std::uint8_t conglomerate = 0,
                          std::int16_t x = 0, std::int16_t y = 0, std::int16_t length = 30) {
  PinFields pin;
  pin.name = std::move(name);
  pin.designator = std::move(designator);
  pin.conglomerate = conglomerate;
  pin.x = x;
  pin.y = y;
  pin.length = length;
  return pin;
}

inline PinFields make_described_pin(std::string name, std::string designator,
                                    std::string description) {
  PinFields pin = make_pin(std::move(name), std::move(designator));
  pin.description = std::move(description);
  return pin;
}

}  // namespace schlib_test
