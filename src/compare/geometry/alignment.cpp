#include "compare/geometry/alignment.hpp"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "compare/geometry/pad_roles.hpp"
#include "compare/geometry/point_grid.hpp"
#include "compare/geometry/tolerances.hpp"

namespace tessan {
namespace {

namespace tol = geometry_tolerance;

Point turned(Point p, int quarter_turns) {
  for (int k = 0; k < quarter_turns; ++k) p = {-p.y, p.x};
  return p;
}

// The match set of a footprint, centred on its frame.
struct MatchSet {
  std::vector<std::size_t> pads;
  std::vector<Point> centred;
};

MatchSet match_set(const FootprintGeometry& footprint) {
  MatchSet set;
  const auto& pads = *footprint.source->pad_geometry;
  for (std::size_t i = 0; i < pads.size(); ++i) {
    if (!is_matchable(footprint, i)) continue;
    set.pads.push_back(i);
    set.centred.push_back({pads[i].x - footprint.origin_x, pads[i].y - footprint.origin_y});
  }
  return set;
}

struct Trial {
  int quarter_turns = 0;
  Point shift;
  std::vector<std::pair<std::size_t, std::size_t>> pairs;  // positions in the match sets
  std::size_t equal_labels = 0;
  double total_distance = 0;
  double largest = 0;
};

std::vector<std::size_t> nearest_each(const std::vector<Point>& from, const PointGrid& to,
                                      double radius) {
  std::vector<std::size_t> nearest(from.size());
  for (std::size_t i = 0; i < from.size(); ++i) nearest[i] = to.nearest_within(from[i], radius);
  return nearest;
}

// Pairs points that are each other's nearest neighbour closer than `radius`.
std::vector<std::pair<std::size_t, std::size_t>> mutual_pairs(const std::vector<Point>& a,
                                                              const PointGrid& grid_a,
                                                              const std::vector<Point>& b,
                                                              double radius) {
  const PointGrid grid_b(b, radius);
  const std::vector<std::size_t> a_to_b = nearest_each(a, grid_b, radius);
  const std::vector<std::size_t> b_to_a = nearest_each(b, grid_a, radius);
  std::vector<std::pair<std::size_t, std::size_t>> pairs;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a_to_b[i] != PointGrid::npos && b_to_a[a_to_b[i]] == i) pairs.emplace_back(i, a_to_b[i]);
  }
  return pairs;
}

std::vector<Point> moved(const std::vector<Point>& points, int quarter_turns, Point shift) {
  std::vector<Point> out;
  out.reserve(points.size());
  for (Point p : points) {
    const Point t = turned(p, quarter_turns);
    out.push_back({t.x + shift.x, t.y + shift.y});
  }
  return out;
}

Trial try_turn(const MatchSet& a, const PointGrid& grid_a, const MatchSet& b, int quarter_turns,
               double radius) {
  Trial trial;
  trial.quarter_turns = quarter_turns;
  std::vector<Point> placed = moved(b.centred, quarter_turns, trial.shift);
  trial.pairs = mutual_pairs(a.centred, grid_a, placed, radius);
  for (int pass = 0; pass < tol::kRecentrePasses && !trial.pairs.empty(); ++pass) {
    Point mean;
    for (const auto& [i, j] : trial.pairs) {
      mean.x += a.centred[i].x - placed[j].x;
      mean.y += a.centred[i].y - placed[j].y;
    }
    const double n = static_cast<double>(trial.pairs.size());
    trial.shift = {trial.shift.x + mean.x / n, trial.shift.y + mean.y / n};
    placed = moved(b.centred, quarter_turns, trial.shift);
    trial.pairs = mutual_pairs(a.centred, grid_a, placed, radius);
  }
  for (const auto& [i, j] : trial.pairs) {
    const double d = distance(a.centred[i], placed[j]);
    trial.total_distance += d;
    trial.largest = std::max(trial.largest, d);
  }
  return trial;
}

std::size_t equal_labels(const Trial& trial, const FootprintGeometry& fa, const MatchSet& a,
                         const FootprintGeometry& fb, const MatchSet& b) {
  return static_cast<std::size_t>(
      std::count_if(trial.pairs.begin(), trial.pairs.end(), [&](const auto& pair) {
        return fa.labels[a.pads[pair.first]] == fb.labels[b.pads[pair.second]];
      }));
}

// Among the turns that pair nearly as many pads as the best: most equal labels, then most
// pairs, then the least total distance.
const Trial& best_paired(const std::vector<Trial>& trials, std::size_t best_count) {
  const double slack = std::max(1.0, tol::kRotationSlack * static_cast<double>(best_count));
  const Trial* chosen = nullptr;
  for (const Trial& t : trials) {
    if (static_cast<double>(t.pairs.size()) < static_cast<double>(best_count) - slack) continue;
    if (chosen == nullptr ||
        std::make_tuple(t.equal_labels, t.pairs.size(), -t.total_distance) >
            std::make_tuple(chosen->equal_labels, chosen->pairs.size(), -chosen->total_distance)) {
      chosen = &t;
    }
  }
  return *chosen;
}

double elongated_share(const FootprintGeometry& f, const MatchSet& set, int quarter_turns) {
  const auto& pads = *f.source->pad_geometry;
  std::size_t wide = 0;
  for (std::size_t i : set.pads) {
    const bool w = pads[i].w > pads[i].h, h = pads[i].h > pads[i].w;
    if (quarter_turns % 2 == 0 ? w : h) ++wide;
  }
  return set.pads.empty() ? 0 : static_cast<double>(wide) / static_cast<double>(set.pads.size());
}

double span_ratio(const FootprintGeometry& a, const FootprintGeometry& b, int quarter_turns) {
  const double bx = quarter_turns % 2 == 0 ? b.span_x : b.span_y;
  const double by = quarter_turns % 2 == 0 ? b.span_y : b.span_x;
  const auto ratio = [](double s, double t) {
    return (std::max(s, t) + tol::kSamePlace) / (std::min(s, t) + tol::kSamePlace);
  };
  return ratio(a.span_x, bx) * ratio(a.span_y, by);
}

// Too few pairs to trust: the turn whose pads are elongated the same way, then the one
// whose spans differ least.
const Trial& best_shaped(const std::vector<Trial>& trials, const FootprintGeometry& fa,
                         const MatchSet& a, const FootprintGeometry& fb, const MatchSet& b) {
  const double share_a = elongated_share(fa, a, 0);
  const Trial* chosen = nullptr;
  double chosen_mismatch = 0, chosen_ratio = 0;
  for (const Trial& t : trials) {
    const double mismatch = std::fabs(share_a - elongated_share(fb, b, t.quarter_turns));
    const double ratio = span_ratio(fa, fb, t.quarter_turns);
    if (chosen == nullptr || mismatch < chosen_mismatch - 1e-9 ||
        (mismatch <= chosen_mismatch + 1e-9 && ratio < chosen_ratio - 1e-9)) {
      chosen = &t;
      chosen_mismatch = mismatch;
      chosen_ratio = ratio;
    }
  }
  return *chosen;
}

double largest_span(const FootprintGeometry& f) {
  return std::max(f.span_x, f.span_y);
}

}  // namespace

PadGeometry placed_pad(const FootprintGeometry& footprint, std::size_t pad, int quarter_turns,
                       double shift_x, double shift_y) {
  PadGeometry placed = (*footprint.source->pad_geometry)[pad];
  const Point p =
      turned({placed.x - footprint.origin_x, placed.y - footprint.origin_y}, quarter_turns);
  placed.x = p.x + shift_x;
  placed.y = p.y + shift_y;
  if (quarter_turns % 2 != 0) std::swap(placed.w, placed.h);
  placed.rotation = std::fmod(placed.rotation + 90.0 * quarter_turns, 360.0);
  return placed;
}

bool pairs_most(const PairAlignment& pair) {
  const double smaller = static_cast<double>(std::min(pair.first_matchable, pair.second_matchable));
  return smaller > 0 && static_cast<double>(pair.matched.size()) >= tol::kMinPaired * smaller;
}

bool pairs_nearly_all(const PairAlignment& pair) {
  const double larger = static_cast<double>(std::max(pair.first_matchable, pair.second_matchable));
  return larger > 0 && static_cast<double>(pair.matched.size()) >= tol::kLabelOnlyPaired * larger;
}

PairAlignment align_footprints(const std::vector<FootprintGeometry>& footprints, std::size_t first,
                               std::size_t second) {
  const FootprintGeometry& fa = footprints[first];
  const FootprintGeometry& fb = footprints[second];
  const MatchSet a = match_set(fa);
  const MatchSet b = match_set(fb);
  const double radius = 0.5 * std::max(fa.pitch, fb.pitch) +
                        0.5 * std::fabs(largest_span(fa) - largest_span(fb)) + tol::kPairSlack;
  const PointGrid grid_a(a.centred, radius);
  std::vector<Trial> trials;
  std::size_t best_count = 0;
  for (int turns = 0; turns < 4; ++turns) {
    trials.push_back(try_turn(a, grid_a, b, turns, radius));
    trials.back().equal_labels = equal_labels(trials.back(), fa, a, fb, b);
    best_count = std::max(best_count, trials.back().pairs.size());
  }
  PairAlignment pair;
  pair.first = first;
  pair.second = second;
  pair.first_matchable = a.pads.size();
  pair.second_matchable = b.pads.size();
  const double smaller = static_cast<double>(std::min(a.pads.size(), b.pads.size()));
  const Trial& chosen = static_cast<double>(best_count) >= tol::kMinPaired * smaller
                            ? best_paired(trials, best_count)
                            : best_shaped(trials, fa, a, fb, b);
  pair.quarter_turns = chosen.quarter_turns;
  pair.shift_x = chosen.shift.x;
  pair.shift_y = chosen.shift.y;
  pair.largest_error = chosen.largest;
  pair.equal_labels = chosen.equal_labels;
  for (const auto& [i, j] : chosen.pairs) pair.matched.emplace_back(a.pads[i], b.pads[j]);
  return pair;
}

}  // namespace tessan
