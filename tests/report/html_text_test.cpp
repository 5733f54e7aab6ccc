// Texts from library files as the page writes them, and numbers as the drawings write them.
#include <gtest/gtest.h>

#include <limits>

#include "report/html_text.hpp"

namespace tessan::report {
namespace {

struct TextCase {
  std::string raw;
  std::string written;
};

class HtmlText : public ::testing::TestWithParam<TextCase> {};

TEST_P(HtmlText, WritesTheTextSafely) {
  EXPECT_EQ(html_text(GetParam().raw), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Texts, HtmlText,
                         ::testing::Values(TextCase{"<script>alert(1)</script>",
                                                    "&lt;script&gt;alert(1)&lt;/script&gt;"},
                                           TextCase{"\"><img src=x onerror=alert(1)>",
                                                    "&quot;&gt;&lt;img src=x onerror=alert(1)&gt;"},
                                           TextCase{"a&b 'c'", "a&amp;b &#39;c&#39;"},
                                           TextCase{"~{SLEEP} \u00b5A", "~{SLEEP} \u00b5A"},
                                           TextCase{"bad \xff\xfe byte", "bad \ufffd\ufffd byte"},
                                           TextCase{std::string("nul\0bell\a tab\tline\n", 19),
                                                    "nulbell tab\tline\n"},
                                           TextCase{"\xc2\x85next", "next"}));

TEST(SvgNumber, FixedWithoutTrailingZeros) {
  EXPECT_EQ(svg_number(1.27), "1.27");
  EXPECT_EQ(svg_number(-0.5), "-0.5");
  EXPECT_EQ(svg_number(3.0), "3");
  EXPECT_EQ(svg_number(-0.00001), "0");
  EXPECT_EQ(svg_number(2.123456), "2.1235");
  EXPECT_EQ(svg_number(std::numeric_limits<double>::infinity()), "0");
}

}  // namespace
}  // namespace tessan::report
