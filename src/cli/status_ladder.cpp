#include "cli/status_ladder.hpp"

#include <algorithm>

#include "cli/hints.hpp"

namespace tessan {

namespace {

std::string_view status_label(Status s) {
  switch (s) {
    case Status::Golden:
      return "GOLDEN";
    case Status::GoldenWithVariants:
      return "GOLDEN with variants";
    case Status::Divergent:
      return "DIVERGENT";
    case Status::Unrecoverable:
      break;
  }
  return "UNRECOVERABLE";
}

std::string join(const std::vector<std::string>& items, std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += separator;
    out += items[i];
  }
  return out;
}

std::size_t count_verdict(const std::vector<AxisOutcome>& axes, Verdict v) {
  return static_cast<std::size_t>(std::count_if(
      axes.begin(), axes.end(), [v](const AxisOutcome& a) { return a.verdict == v; }));
}

}  // namespace

std::vector<std::string> covered_axes(const std::vector<Variant>& variants) {
  std::vector<std::string> covered;
  for (const auto& variant : variants) {
    for (const auto axis : variant_covered_axes(variant)) {
      if (std::find(covered.begin(), covered.end(), axis) == covered.end()) {
        covered.emplace_back(axis);
      }
    }
  }
  return covered;
}

Status decide_status(const std::vector<AxisOutcome>& axes, const std::vector<Variant>& variants) {
  const auto covered = covered_axes(variants);
  for (const auto& axis : axes) {
    if (axis.verdict == Verdict::Disagree &&
        std::find(covered.begin(), covered.end(), axis.axis) == covered.end()) {
      return Status::Divergent;
    }
  }
  if (!variants.empty()) return Status::GoldenWithVariants;
  if (count_verdict(axes, Verdict::Agree) > 0) return Status::Golden;
  return Status::Unrecoverable;
}

std::string summary_text(const std::string& mpn, Status status,
                         const std::vector<Variant>& variants,
                         const std::vector<std::string>& compared,
                         const std::vector<std::string>& missing,
                         const std::vector<AxisOutcome>& axes) {
  std::string text = mpn + " \u2014 " + std::string(status_label(status));
  if (!variants.empty()) {
    std::vector<std::string> labels;
    for (const auto& v : variants) labels.emplace_back(variant_short_label(v));
    text += " [variants: " + join(labels, ",") + "]";
  }
  text += ". Sources: [" + join(compared, ",") + "]";
  if (!missing.empty()) text += " (missing: " + join(missing, ",") + ")";
  text += ". Axes: " + std::to_string(count_verdict(axes, Verdict::Agree)) + " agree, " +
          std::to_string(count_verdict(axes, Verdict::Disagree)) + " disagree, " +
          std::to_string(count_verdict(axes, Verdict::SourceMissing)) + " source-missing.";
  return text;
}

Judgement judge(const CheckInputs& inputs, std::vector<Hint> hints) {
  const auto& axes = *inputs.axes;
  const auto& variants = *inputs.variants;
  Judgement j;
  j.status = decide_status(axes, variants);
  j.exit_code = status_exit_code(j.status);
  j.summary = summary_text(inputs.mpn, j.status, variants, inputs.compared, inputs.missing, axes);
  j.summary_is_ok = j.status == Status::Golden || j.status == Status::GoldenWithVariants;
  append_axis_hints(inputs.mpn, *inputs.records, axes, covered_axes(variants), inputs.kicad, hints);
  j.hints = std::move(hints);
  return j;
}

}  // namespace tessan
