#include "hostile/hostile_inputs.hpp"

#include <random>

namespace tessan::hostile {

bool sanitized_build() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#else
  return false;
#endif
#else
  return false;
#endif
}

std::size_t huge_input_bytes() {
  return (sanitized_build() ? 16u : 64u) << 20;
}

std::string random_bytes(std::uint32_t seed, std::size_t size) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(byte(generator));
  return bytes;
}

std::vector<std::uint8_t> random_byte_vector(std::uint32_t seed, std::size_t size) {
  const std::string bytes = random_bytes(seed, size);
  return {bytes.begin(), bytes.end()};
}

std::string nested(std::string_view open, std::string_view close, std::size_t depth) {
  std::string text;
  text.reserve(depth * (open.size() + close.size()));
  for (std::size_t i = 0; i < depth; ++i) text += open;
  for (std::size_t i = 0; i < depth; ++i) text += close;
  return text;
}

std::string repeated(std::string_view unit, std::size_t size) {
  std::string text;
  text.reserve(size + unit.size());
  while (text.size() < size) text += unit;
  return text;
}

}  // namespace tessan::hostile
