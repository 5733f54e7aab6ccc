// Parsing JSON text into a tree while remembering which object members occurred more than once
// (the tree itself keeps the last occurrence).
#pragma once

#include <set>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "tessan_error.hpp"

namespace tessan {

struct JsonTree {
  nlohmann::json root;
  // JSON pointers ("/axes/0/verdict") of the members that were given more than once.
  std::set<std::string> repeated_members;
};

// The whole text must be one JSON value. Errors carry the JSON library's message.
Result<JsonTree> parse_json_tree(std::string_view text);

// The JSON pointer of member `key` of the object at `object_pointer` ("" is the root).
std::string member_pointer(std::string_view object_pointer, std::string_view key);

}  // namespace tessan
