#include "parsers/eagle_number.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tessan {
namespace {

TEST(EagleNumberTest, AcceptsTheGrammar) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::vector<std::pair<const char*, double>> cases = {
      {"1.27", 1.27},
      {"-0.5", -0.5},
      {".5", 0.5},
      {"5.", 5.0},
      {"1e-3", 1e-3},
      {"+2", 2.0},
      {"-0", -0.0},
      {"007", 7.0},
      {"1E+2", 100.0},
      {"2.5e1", 25.0},
      {"inf", kInf},
      {"-INF", -kInf},
      {"Infinity", kInf},
      {"+infinity", kInf},
      {"1e999", kInf},
      {"-1e999", -kInf},
      {"1e-999", 0.0},
      {"0.0000001e-400", 0.0},
      {"100000000000000000000000000000000000000000000000000e300", kInf},
      {"1e-99999999999999999999", 0.0},
      {"0e99999", 0.0},
  };
  for (const auto& [text, value] : cases) {
    const auto parsed = parse_eagle_number(text);
    ASSERT_TRUE(parsed) << text;
    EXPECT_EQ(*parsed, value) << text;
    EXPECT_EQ(std::signbit(*parsed), std::signbit(value)) << text;
  }
}

TEST(EagleNumberTest, NanInAnyCase) {
  for (const char* text : {"nan", "NaN", "-NAN", "+nan"}) {
    const auto parsed = parse_eagle_number(text);
    ASSERT_TRUE(parsed) << text;
    EXPECT_TRUE(std::isnan(*parsed)) << text;
  }
}

TEST(EagleNumberTest, RejectsEverythingElse) {
  for (const char* text :
       {"",    "-",    "+",  ".",     "e5",     ".e1",  "1e",  "1e+", "1.2.3", " 1", "1 ",
        "1,5", "0x10", "1f", "infin", "nan(1)", "inf ", "--1", "+-1", "1e5.0", "١"}) {
    EXPECT_FALSE(parse_eagle_number(text)) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace tessan
