// The pins section of the review page: one row per pin number, one column per source with
// pins, each cell holding the raw name and the pads the pin lands on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compare/source_data.hpp"
#include "result_doc.hpp"

namespace tessan::report {

// Natural order of pin numbers: numbers by value before anything else, then letters and digit
// runs piecewise (1, 2, 10, A1, A2, A10, B1).
bool natural_less(std::string_view a, std::string_view b);

// `variants` decide whether stub names count as benign.
std::string pin_section(const std::vector<SourceData>& records,
                        const std::vector<Variant>& variants);

}  // namespace tessan::report
