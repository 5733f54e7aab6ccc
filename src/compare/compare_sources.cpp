#include "compare/compare_sources.hpp"

#include <algorithm>

#include "compare/axes.hpp"
#include "compare/conflict_list.hpp"
#include "compare/variants.hpp"

namespace tessan {

ComparisonReport compare_sources(const std::vector<SourceData>& sources) {
  const SourceRefs participating = participating_sources(sources);
  ComparisonReport report;
  report.geometry = analyse_geometry(participating);
  report.axes = {
      compare_pad_count(participating),        compare_pad_numbers(participating),
      compare_symbol_pin_count(participating), compare_pin_names(participating),
      compare_pin_to_pad_map(participating),   compare_package_family(participating),
      compare_body_dims(participating),
  };
  report.variants = classify_variants(report.axes, participating);
  for (AxisOutcome& axis : report.axes) bound_outcome_texts(axis);
  const bool any_disagree =
      std::any_of(report.axes.begin(), report.axes.end(),
                  [](const AxisOutcome& a) { return a.verdict == Verdict::Disagree; });
  report.overall = any_disagree ? Verdict::Disagree : Verdict::Agree;
  return report;
}

}  // namespace tessan
