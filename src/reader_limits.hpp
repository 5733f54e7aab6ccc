// Bounds on what the readers accept from one library file, whatever the file claims.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessan {

// The largest library file read; a larger one is refused before any byte of it is read.
inline constexpr std::uint64_t kMaxLibraryFileBytes = 268435456;  // 256 MiB

// The most pins, and the most pads, that one source may carry. The largest real parts have a
// few thousand; a reader stops the moment a count passes this.
inline constexpr std::size_t kMaxPinsOrPads = 1'000'000;

}  // namespace tessan
