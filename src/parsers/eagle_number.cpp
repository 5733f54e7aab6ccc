#include "parsers/eagle_number.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace tessan {

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

bool equals_ignoring_case(std::string_view text, std::string_view lower_word) {
  return text.size() == lower_word.size() &&
         std::equal(text.begin(), text.end(), lower_word.begin(), [](char a, char b) {
           return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
         });
}

std::size_t count_digits(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && is_digit(text[end])) ++end;
  return end - from;
}

// The parts of a decimal number without its sign, as written.
struct DecimalParts {
  std::string_view integer;   // digits before the point
  std::string_view fraction;  // digits after the point
  std::string_view exponent;  // digits of the exponent, its sign included
};

// Digits, an optional point with more digits (at least one digit in all), and an optional
// exponent "e" or "E" with an optional sign and at least one digit.
std::optional<DecimalParts> split_decimal(std::string_view text) {
  DecimalParts parts;
  std::size_t pos = count_digits(text, 0);
  parts.integer = text.substr(0, pos);
  if (pos < text.size() && text[pos] == '.') {
    const std::size_t digits = count_digits(text, pos + 1);
    parts.fraction = text.substr(pos + 1, digits);
    pos += 1 + digits;
  }
  if (parts.integer.empty() && parts.fraction.empty()) return std::nullopt;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t digits_from = pos + 1;
    if (digits_from < text.size() && (text[digits_from] == '+' || text[digits_from] == '-')) {
      ++digits_from;
    }
    const std::size_t digits = count_digits(text, digits_from);
    if (digits == 0) return std::nullopt;
    parts.exponent = text.substr(pos + 1, digits_from + digits - pos - 1);
    pos = digits_from + digits;
  }
  if (pos != text.size()) return std::nullopt;
  return parts;
}

// The power of ten of the leading significant digit, saturated far beyond a double's range.
std::int64_t decimal_magnitude(const DecimalParts& parts) {
  constexpr std::int64_t kSaturation = 1'000'000'000;
  std::int64_t exponent = 0;
  const bool negative = !parts.exponent.empty() && parts.exponent.front() == '-';
  for (const char c : parts.exponent) {
    if (is_digit(c)) exponent = std::min(kSaturation, exponent * 10 + (c - '0'));
  }
  if (negative) exponent = -exponent;
  const std::size_t leading = parts.integer.find_first_not_of('0');
  if (leading != std::string_view::npos) {
    return exponent + static_cast<std::int64_t>(parts.integer.size() - leading);
  }
  const std::size_t zeros = parts.fraction.find_first_not_of('0');
  if (zeros == std::string_view::npos) return -kSaturation;  // zero
  return exponent - static_cast<std::int64_t>(zeros);
}

std::optional<double> decimal_value(std::string_view text) {
  const auto parts = split_decimal(text);
  if (!parts) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Out of range is only reported for a non-zero value too large or too small to hold.
    return decimal_magnitude(*parts) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> unsigned_value(std::string_view text) {
  if (equals_ignoring_case(text, "inf") || equals_ignoring_case(text, "infinity")) {
    return std::numeric_limits<double>::infinity();
  }
  if (equals_ignoring_case(text, "nan")) return std::numeric_limits<double>::quiet_NaN();
  return decimal_value(text);
}

}  // namespace

std::optional<double> parse_eagle_number(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  const auto value = unsigned_value(text);
  if (!value) return std::nullopt;
  return negative ? -*value : *value;
}

}  // namespace tessan
