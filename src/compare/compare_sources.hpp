// The seven-axis comparison of the sources of one chip.
#pragma once

#include <vector>

#include "compare/geometry/geometry_analysis.hpp"
#include "compare/source_data.hpp"
#include "result_doc.hpp"

namespace tessan {

struct ComparisonReport {
  std::vector<AxisOutcome> axes;  // always seven, in axis order
  std::vector<Variant> variants;  // benign-difference explanations
  Verdict overall = Verdict::Agree;
  GeometryAnalysis geometry;  // the footprints overlaid, for drawing and for the rules
};

// Never fails: shortages of data become placeholders and source-missing verdicts.
ComparisonReport compare_sources(const std::vector<SourceData>& sources);

}  // namespace tessan
