// Bounds on what the library readers take from one file, whatever the file claims. Callers may
// pass bounds of their own; these are the defaults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace altium {

// The largest library file read; a larger one is refused before any byte of it is read.
inline constexpr std::uint64_t kDefaultMaxLibraryFileBytes = 268435456;  // 256 MiB
// The most pads of one footprint library (all its footprints together), and the most pins of
// one component.
inline constexpr std::size_t kDefaultMaxPinsOrPads = 1'000'000;

// The errors of a library past those counts, given as they stand.
inline constexpr std::string_view kTooManyPads = "too many pads";
inline constexpr std::string_view kTooManyPins = "too many pins";

}  // namespace altium
