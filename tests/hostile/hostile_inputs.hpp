// Generators of hostile inputs shared by the bad-input tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessan::hostile {

// Whether this build carries AddressSanitizer (which slows work and inflates memory).
bool sanitized_build();

// The size of the "huge file of a valid format" cases: 64 MiB, or 16 MiB under the sanitizers,
// where the point is memory errors rather than scale.
std::size_t huge_input_bytes();

// Bytes from a fixed-seed generator: the same seed always gives the same bytes.
std::string random_bytes(std::uint32_t seed, std::size_t size);
std::vector<std::uint8_t> random_byte_vector(std::uint32_t seed, std::size_t size);

// `open` repeated `depth` times, then `close` repeated `depth` times.
std::string nested(std::string_view open, std::string_view close, std::size_t depth);

// `unit` repeated until the text reaches at least `size` bytes.
std::string repeated(std::string_view unit, std::size_t size);

}  // namespace tessan::hostile
