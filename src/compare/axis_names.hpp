// The names of the seven comparison axes, in comparison order.
#pragma once

#include <string_view>

namespace tessan::axis_name {

inline constexpr std::string_view kPadCount = "pad_count";
inline constexpr std::string_view kPadNumbers = "pad_numbers";
inline constexpr std::string_view kSymbolPinCount = "symbol_pin_count";
inline constexpr std::string_view kPinNames = "pin_names";
inline constexpr std::string_view kPinToPadMap = "pin_to_pad_map";
inline constexpr std::string_view kPackageFamily = "package_family";
inline constexpr std::string_view kBodyDims = "body_dims";

}  // namespace tessan::axis_name
