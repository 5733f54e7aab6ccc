// What a comparison leaves unexplained, for tests that ask whether sources read as golden.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compare/compare_sources.hpp"

namespace tessan::testing {

// The disagreeing axes that no variant covers: empty means the sources read as golden.
inline std::vector<std::string> uncovered(const ComparisonReport& report) {
  std::vector<std::string> axes;
  for (const AxisOutcome& outcome : report.axes) {
    if (outcome.verdict != Verdict::Disagree) continue;
    bool covered = false;
    for (const Variant& v : report.variants) {
      for (std::string_view axis : variant_covered_axes(v)) {
        covered = covered || axis == outcome.axis;
      }
    }
    if (!covered) axes.push_back(outcome.axis);
  }
  return axes;
}

}  // namespace tessan::testing
