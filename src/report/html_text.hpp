// Text from anywhere made safe to place in an HTML or SVG document.
#pragma once

#include <string>
#include <string_view>

namespace tessan::report {

// `text` as character data that is also safe inside a quoted attribute value: & < > " '
// become references, bytes that are not UTF-8 become U+FFFD, and control characters other than
// tab and line feed are dropped.
std::string html_text(std::string_view text);

// A number of millimetres as SVG coordinates take it: fixed, at most four decimals, no
// trailing zeros ("1.27", "-0.5", "3").
std::string svg_number(double value);

}  // namespace tessan::report
