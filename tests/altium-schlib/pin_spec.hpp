// Pin descriptions for the record builders, set field by field.
#pragma once

#include <string>

#include "support/altium_builders.hpp"

namespace schlib_test {

using PinSpec = tessan::testing::SchPin;

inline PinSpec pin_spec(std::string name, std::string designator, std::uint8_t conglomerate = 0,
                        std::int16_t x = 0, std::int16_t y = 0, std::int16_t length = 30) {
  PinSpec pin;
  pin.name = std::move(name);
  pin.designator = std::move(designator);
  pin.conglomerate = conglomerate;
  pin.x = x;
  pin.y = y;
  pin.length = length;
  return pin;
}

inline PinSpec described_pin(std::string name, std::string designator, std::string description) {
  PinSpec pin = pin_spec(std::move(name), std::move(designator));
  pin.description = std::move(description);
  return pin;
}

}  // namespace schlib_test
