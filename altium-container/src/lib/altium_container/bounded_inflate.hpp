// zlib inflation that refuses to produce more than a given number of bytes.
#pragma once

#include <cstddef>

#include "altium_container/container.hpp"

namespace altium {

// Inflates a complete zlib stream. Fails when the data is not a complete zlib stream, or when it
// would inflate to more than `max_inflated_size` bytes (the output never grows past that).
Result<Bytes> inflate_bounded(ByteView compressed, std::size_t max_inflated_size);

}  // namespace altium
