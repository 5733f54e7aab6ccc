// The failure of a source that carries more pins or pads than kMaxPinsOrPads: the reader stops
// the moment its count passes the bound and fails with one of these texts, as they stand.
#pragma once

#include <string>
#include <string_view>

#include "reader_limits.hpp"
#include "tessan_error.hpp"

namespace tessan {

inline constexpr std::string_view kTooManyPins = "too many pins";
inline constexpr std::string_view kTooManyPads = "too many pads";

inline Error too_many_pins() {
  return Error(std::string(kTooManyPins));
}

inline Error too_many_pads() {
  return Error(std::string(kTooManyPads));
}

inline bool is_count_limit_error(const Error& error) {
  return error.message() == kTooManyPins || error.message() == kTooManyPads;
}

}  // namespace tessan
