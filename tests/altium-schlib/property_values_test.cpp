// Parsing of part counts and rectangle coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "altium_schlib/property_values.hpp"

namespace {

using altium::parse_decimal_integer;
using altium::parse_decimal_number;
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(DecimalInteger, SignAndDigitsOnlyWithinRange) {
  const std::pair<std::string_view, std::optional<std::int64_t>> cases[] = {
      {"3", 3},
      {"+3", 3},
      {"-2", -2},
      {"007", 7},
      {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
      {"9223372036854775808", std::nullopt},
      {"2.0", std::nullopt},
      {"", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"+-3", std::nullopt},
      {"3 ", std::nullopt},
      {std::string_view("3\0", 2), std::nullopt},
      {"0x10", std::nullopt},
      {"1e3", std::nullopt}};
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(parse_decimal_integer(text), expected) << text;
}

TEST(DecimalNumber, DecimalFormsAndTheWordsInfInfinityNan) {
  const std::pair<std::string_view, double> cases[] = {
      {"30", 30},        {"-340", -340}, {"+1.5", 1.5},        {"1e3", 1000},   {"1.5E-2", 0.015},
      {".5", 0.5},       {"5.", 5},      {"-2.5e+1", -25},     {"1e-999", 0.0}, {"1e999", kInf},
      {"-1e999", -kInf}, {"inf", kInf},  {"-Infinity", -kInf}, {"+INF", kInf}};
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(parse_decimal_number(text), expected) << text;
  EXPECT_TRUE(std::isnan(parse_decimal_number("NaN").value_or(0)));
  for (const std::string_view text : {"", "+", "-", ".", "e5", "1e", "1,5", "abc", "0x1p3",
                                      "nan(1)", "infinit", "1.5x", "--1", " 1", "1 "}) {
    EXPECT_FALSE(parse_decimal_number(text).has_value()) << text;
  }
}

}  // namespace
