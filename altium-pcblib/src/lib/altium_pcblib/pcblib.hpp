// Altium footprint libraries (.PcbLib, and the footprint side of .IntLib).
#pragma once

#include <filesystem>

#include <nlohmann/json.hpp>

#include "altium_container/container.hpp"

namespace altium {

// Reads the file whole and parses it. Error "read .PcbLib: " + path when it cannot be read.
Result<nlohmann::json> read_pcblib(const std::filesystem::path& path);

// The footprint document: the footprint with the most pads at the top level, the others
// under "_alternates".
Result<nlohmann::json> parse_pcblib(ByteView bytes);

}  // namespace altium
