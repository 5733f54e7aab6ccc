// The number grammar of EAGLE pad coordinates.
#pragma once

#include <optional>
#include <string_view>

namespace tessan {

// An optional sign, then either digits with an optional fraction and exponent ("1.27", "-0.5",
// ".5", "1.", "1e-3") or one of the words inf, infinity and nan in any letter case. Nothing
// else, blanks included. Values beyond the range of a double become an infinity or zero.
std::optional<double> parse_eagle_number(std::string_view text);

}  // namespace tessan
