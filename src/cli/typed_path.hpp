// Names taken from a path as the user typed it, before any symbolic link is resolved.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tessan {

// The last component of `path` as typed, empty and "." components left out ("a/b/" and
// "a/b/." give "b"); nothing when no component is left or the last one is "..".
std::optional<std::string> typed_last_component(const std::filesystem::path& path);

}  // namespace tessan
