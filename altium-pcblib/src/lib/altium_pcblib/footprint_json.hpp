// The JSON form of footprint entries: the footprint document.
#pragma once

#include <nlohmann/json.hpp>

#include "altium_pcblib/footprint.hpp"
#include "altium_pcblib/footprint_library.hpp"

namespace altium {

// One pad object ("number", "type", "shape", "at", "size", "layers", "drill").
nlohmann::json pad_to_json(const Pad& pad);

// One footprint object, or an error entry when the entry carries a parse error.
nlohmann::json footprint_entry_to_json(const FootprintEntry& entry);

// The first entry with "_source" and, when there are more, "_alternates" holding the rest.
nlohmann::json footprint_document(const FootprintEntries& entries);

}  // namespace altium
