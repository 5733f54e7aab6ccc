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

// How a cell's name stands against the reference column's name for the same pin.
enum class CellMark { Same, Benign, Real, Unmatched };

struct CellJudgement {
  CellMark mark = CellMark::Same;
  std::string rule;  // the rule that accepts a benign difference
};

// `variants` decide whether stub names count as benign.
std::string pin_section(const std::vector<SourceData>& records,
                        const std::vector<Variant>& variants);

}  // namespace tessan::report
