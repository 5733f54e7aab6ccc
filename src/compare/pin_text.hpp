// The cleaning every reader gives the pin numbers, pin names and pad labels it reads.
#pragma once

#include <string>
#include <string_view>

#include "compare/source_data.hpp"

namespace tessan {

// The text without ASCII white space at either end.
std::string trim_space(std::string_view text);

// The name without its trailing "@" suffixes, each "@" followed by letters or digits, as
// libraries converted from EAGLE write them (GND@1 -> GND, GND@A -> GND, C@1@2 -> C, @7 -> "").
std::string without_at_suffixes(std::string_view name);

// A pin with its number trimmed and its name trimmed and without "@" suffixes; the stub flag
// follows the cleaned texts.
Pin make_pin(std::string_view number, std::string_view name);

}  // namespace tessan
