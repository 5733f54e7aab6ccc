// Structural checks of a compound document made before libgsf is handed the buffer, for the
// malformations that libgsf itself does not survive gracefully.
#pragma once

#include <optional>
#include <string>

#include "altium_container/container.hpp"

namespace altium {

// What is wrong with the document's structure, or nothing when libgsf may open it.
std::optional<std::string> find_compound_file_fault(ByteView document);

}  // namespace altium
