// Parsing of the numeric values of component property lists.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace altium {

// A signed 64-bit decimal integer: an optional sign and digits only, within range.
std::optional<std::int64_t> parse_decimal_integer(std::string_view text);

// A decimal number: optional sign, digits with an optional point, optional exponent; also
// "inf", "infinity" and "nan" in any letter case. Values beyond range become infinite or zero.
std::optional<double> parse_decimal_number(std::string_view text);

}  // namespace altium
