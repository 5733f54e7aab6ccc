// Parsing a quarn document into a JSON tree that keeps only the members the reader looks at.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "tessan_error.hpp"

namespace tessan {

// The whole text is parsed and checked as strictly as a full parse would, but the tree keeps
// only: the root's members "pins", "padDescriptions", "package" and "bodyDimensions"; every
// element of "pins", with its members "number" and "name"; the member names of
// "padDescriptions", with null values; the members "x" and "y" of "bodyDimensions". A kept
// member whose value is a structure the reader does not descend into holds an empty one, or
// null, in its place. Repeated member names keep the last value, as in a full parse. So a
// document of many pads holds little more than the pad names in memory, and deep nesting costs
// only a counter.
//
// Fails with the JSON library's message (which names line and column) as the error, or, the
// moment "pins" holds more than kMaxPinsOrPads elements or "padDescriptions" more than as many
// names, with "too many pins" or "too many pads".
Result<nlohmann::json> parse_quarn_json(const std::string& text);

}  // namespace tessan
