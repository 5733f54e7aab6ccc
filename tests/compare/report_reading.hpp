// What tests read off a comparison: the variants it found and the axes it leaves unexplained.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compare/compare_sources.hpp"

namespace tessan::testing {

// The kinds of `variants`, in order ("exposed_pad", "naming_convention_mismatch", ...).
inline std::vector<std::string> kinds(const std::vector<Variant>& variants) {
  std::vector<std::string> names;
  for (const Variant& v : variants) names.emplace_back(variant_kind(v));
  return names;
}

inline std::vector<std::string> kinds(const ComparisonReport& report) {
  return kinds(report.variants);
}

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
