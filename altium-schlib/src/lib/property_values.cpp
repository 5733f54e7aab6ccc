#include "altium_schlib/property_values.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace altium {

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

bool starts_with_digit_or_point(std::string_view text) {
  return !text.empty() && (is_digit(text.front()) || text.front() == '.');
}

bool equals_ignoring_case(std::string_view text, std::string_view word) {
  return std::equal(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

std::optional<double> special_value(std::string_view word) {
  if (equals_ignoring_case(word, "inf") || equals_ignoring_case(word, "infinity")) {
    return std::numeric_limits<double>::infinity();
  }
  if (equals_ignoring_case(word, "nan")) return std::numeric_limits<double>::quiet_NaN();
  return std::nullopt;
}

// The value of a number that is well-formed but beyond the range of a double.
double out_of_range_value(std::string_view text) {
  const std::size_t exponent = text.find_first_of("eE");
  const bool tiny =
      exponent != std::string_view::npos && exponent + 1 < text.size() && text[exponent + 1] == '-';
  return tiny ? 0.0 : std::numeric_limits<double>::infinity();
}

}  // namespace

std::optional<std::int64_t> parse_decimal_integer(std::string_view text) {
  const bool has_sign = !text.empty() && (text.front() == '+' || text.front() == '-');
  const std::string_view digits = text.substr(has_sign ? 1 : 0);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), is_digit)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> parse_decimal_number(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  const double sign = negative ? -1.0 : 1.0;
  if (auto special = special_value(text)) return sign * *special;
  if (!starts_with_digit_or_point(text)) return std::nullopt;

  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (end != text.data() + text.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) return sign * out_of_range_value(text);
  if (error != std::errc()) return std::nullopt;
  return sign * value;
}

}  // namespace altium
