#include <algorithm>
#include <set>

#include "compare/display_text.hpp"
#include "compare/geometry/alignment.hpp"
#include "compare/geometry/geometry_rules.hpp"
#include "compare/geometry/tolerances.hpp"
#include "compare/pad_evidence.hpp"

namespace tessan {
namespace {

namespace tol = geometry_tolerance;

std::set<std::string> label_set(const FootprintGeometry& footprint) {
  std::set<std::string> labels(footprint.labels.begin(), footprint.labels.end());
  labels.erase(std::string());
  return labels;
}

// Decimal labels first, in numeric order, then the others byte-wise.
bool pin_number_less(const std::string& a, const std::string& b) {
  const bool da = is_decimal_label(a), db = is_decimal_label(b);
  if (da != db) return da;
  if (da && (decimal_less(a, b) || decimal_less(b, a))) return decimal_less(a, b);
  return a < b;
}

std::string clash_list(std::vector<std::pair<std::string, std::string>> clashes) {
  std::sort(clashes.begin(), clashes.end(), [](const auto& x, const auto& y) {
    if (x.first != y.first) return pin_number_less(x.first, y.first);
    return pin_number_less(x.second, y.second);
  });
  clashes.erase(std::unique(clashes.begin(), clashes.end()), clashes.end());
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < clashes.size() && i < tol::kMaxClashExamples; ++i) {
    shown.push_back(clashes[i].first + "\u2194" + clashes[i].second);
  }
  if (clashes.size() > tol::kMaxClashExamples) shown.push_back("\u2026");
  return join(shown, ", ");
}

}  // namespace

std::optional<std::string> numbering_difference(std::vector<FootprintGeometry>& footprints,
                                                const PairAlignment& pair) {
  if (pair.package_differs || !pairs_most(pair)) return std::nullopt;
  FootprintGeometry& a = footprints[pair.first];
  FootprintGeometry& b = footprints[pair.second];
  const std::set<std::string> labels_a = label_set(a);
  const std::set<std::string> labels_b = label_set(b);
  std::vector<std::pair<std::string, std::string>> clashes;
  for (const auto& [i, j] : pair.matched) {
    const std::string& la = a.labels[i];
    const std::string& lb = b.labels[j];
    if (la == lb || !labels_b.contains(la) || !labels_a.contains(lb)) continue;
    clashes.emplace_back(la, lb);
    a.in_conflict[i] = b.in_conflict[j] = true;
  }
  if (clashes.empty()) return std::nullopt;
  const std::size_t k = clashes.size();
  return a.source->name + " and " + b.source->name +
         " number the same pad positions differently (" + std::to_string(k) + " of " +
         std::to_string(pair.matched.size()) + " matched pads): " + clash_list(std::move(clashes));
}

}  // namespace tessan
