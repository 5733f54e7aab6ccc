// Structural checks of a compound document made before libgsf is handed the buffer, for the
// shapes that libgsf does not survive in bounded time and stack: libgsf builds the directory
// tree by recursion (one level per sibling or child link followed) and keeps each storage's
// children in a sorted list (quadratic in their number).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "altium_container/container.hpp"

namespace altium {

// Deepest chain of directory links accepted; real documents hold red-black sibling trees whose
// depth grows with the logarithm of the number of entries.
inline constexpr std::size_t kMaxDirectoryDepth = 8192;
// Most entries accepted under one storage.
inline constexpr std::size_t kMaxStorageEntries = 16384;
// The most work of libgsf's sorted inserts accepted over the whole directory: that of filling
// one storage to the bound above (about a second), however the entries are spread over
// storages. A library of some thousand footprints needs a few percent of it.
inline constexpr std::size_t kMaxDirectoryInsertSteps =
    kMaxStorageEntries * (kMaxStorageEntries - 1) / 2;

// What is wrong with the document's structure, or nothing when libgsf may open it (including
// when the structure is broken in ways libgsf itself reports).
std::optional<std::string> find_compound_file_fault(ByteView document);

}  // namespace altium
