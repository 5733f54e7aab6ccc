#include "compare/compare_sources.hpp"

#include <algorithm>

#include "compare/axes.hpp"
#include "compare/axis_names.hpp"
#include "compare/variants.hpp"

namespace tessan {
namespace {

constexpr std::uint8_t kSeverityMajor = 3;

// Geometry conflicts join an axis and make it disagree, whatever the labels said.
void add_geometry_conflicts(AxisOutcome& outcome, const std::vector<std::string>& conflicts) {
  if (conflicts.empty()) return;
  outcome.conflicts.insert(outcome.conflicts.end(), conflicts.begin(), conflicts.end());
  outcome.verdict = Verdict::Disagree;
  outcome.severity = kSeverityMajor;
}

AxisOutcome& axis(std::vector<AxisOutcome>& axes, std::string_view name) {
  return *std::find_if(axes.begin(), axes.end(),
                       [&](const AxisOutcome& a) { return a.axis == name; });
}

}  // namespace

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
  add_geometry_conflicts(axis(report.axes, axis_name::kPadNumbers),
                         report.geometry.numbering_conflicts);
  add_geometry_conflicts(axis(report.axes, axis_name::kPackageFamily),
                         report.geometry.package_conflicts);
  report.variants = classify_variants(report.axes, participating, report.geometry);
  const bool any_disagree =
      std::any_of(report.axes.begin(), report.axes.end(),
                  [](const AxisOutcome& a) { return a.verdict == Verdict::Disagree; });
  report.overall = any_disagree ? Verdict::Disagree : Verdict::Agree;
  return report;
}

}  // namespace tessan
