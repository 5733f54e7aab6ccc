// Parsing JSON text into a tree whose objects keep every member in document order, a key given
// more than once included (the library's own parser keeps only one of them), so that readers
// can reject repeated keys where they matter.
#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

#include "tessan_error.hpp"

namespace tessan {

// The whole text must be one JSON value. Errors carry the JSON library's message. Objects must
// be looked into by iterating their members: lookup by key sees only the first occurrence.
Result<nlohmann::ordered_json> parse_json_keeping_repeats(std::string_view text);

}  // namespace tessan
