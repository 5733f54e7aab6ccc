#include "compare/display_text.hpp"

#include <array>
#include <charconv>

namespace tessan {

std::string join(const std::vector<std::string>& items, std::string_view separator) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i != 0) text += separator;
    text += items[i];
  }
  return text;
}

std::string bracketed_counts(const std::vector<std::size_t>& counts) {
  std::vector<std::string> numbers;
  numbers.reserve(counts.size());
  for (const std::size_t count : counts) numbers.push_back(std::to_string(count));
  // Appended rather than "[" + text: GCC 12 warns (-Wrestrict) about the inlined operator+.
  std::string text = "[";
  text += join(numbers, ", ");
  text += ']';
  return text;
}

std::string short_label_list(const std::vector<std::string>& labels) {
  if (labels.size() <= 4) return join(labels, ",");
  return std::to_string(labels.size()) + " items";
}

std::string two_decimals(double value) {
  std::array<char, 400> buffer{};  // room for the largest double in fixed notation
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, 2);
  if (error != std::errc{}) return "?";
  return std::string(buffer.data(), end);
}

std::string body_size_text(double x_mm, double y_mm) {
  return two_decimals(x_mm) + "\u00D7" + two_decimals(y_mm) + " mm";
}

std::string values_overview(const std::map<std::string, std::string>& values) {
  std::vector<std::string> entries;
  entries.reserve(values.size());
  for (const auto& [source, value] : values) entries.push_back(source + ": " + value);
  return join(entries, " | ");
}

}  // namespace tessan
