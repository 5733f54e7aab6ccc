// Hints that tell the caller what to do about each unexplained disagreement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compare/source_data.hpp"
#include "result_doc.hpp"

namespace tessan {

// The library file blamed for a disagreement on `axis`: "kicad_mod", "kicad_sym" or "unknown".
std::string_view suspect_format(std::string_view axis);

// Where to refetch a library of `format` from.
std::vector<std::string> suggested_sources(std::string_view format, std::string_view mpn);

// Whether quarn alone disagrees with every other source on this axis.
bool is_lone_quarn_disagreement(const AxisOutcome& axis);

// Appends the hints of every disagreeing axis, in axis order and conflict order.
void append_axis_hints(const std::string& mpn, const std::vector<SourceData>& records,
                       const std::vector<AxisOutcome>& axes,
                       const std::vector<std::string>& covered, std::vector<Hint>& hints);

}  // namespace tessan
