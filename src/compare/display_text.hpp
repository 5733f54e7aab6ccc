// How the comparison writes counts, label lists, sizes and value maps into its texts.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tessan {

std::string join(const std::vector<std::string>& items, std::string_view separator);

// "[8, 9]".
std::string bracketed_counts(const std::vector<std::size_t>& counts);

// Labels joined by "," when there are at most four, else "{n} items".
std::string short_label_list(const std::vector<std::string>& labels);

// A size in millimetres with exactly two decimals ("3.00").
std::string two_decimals(double value);

// "3.00×4.90 mm".
std::string body_size_text(double x_mm, double y_mm);

// "kicad: SOIC-8 → family=SOIC | quarn: ..." : every entry as "{key}: {value}", joined by " | ".
std::string values_overview(const std::map<std::string, std::string>& values);

}  // namespace tessan
