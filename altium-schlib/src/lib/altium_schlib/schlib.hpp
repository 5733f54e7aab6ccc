// Altium schematic libraries (.SchLib, and the symbol side of .IntLib).
#pragma once

#include <filesystem>

#include <nlohmann/json.hpp>

#include "altium_container/container.hpp"

namespace altium {

// Reads the file whole and parses it. Error "read .SchLib " + path + ": " + reason.
Result<nlohmann::json> read_schlib(const std::filesystem::path& path);

// The component document of the library's first component.
Result<nlohmann::json> parse_schlib(ByteView bytes);

}  // namespace altium
