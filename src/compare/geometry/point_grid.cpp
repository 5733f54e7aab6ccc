#include "compare/geometry/point_grid.hpp"

#include <algorithm>
#include <cmath>

namespace tessan {

double distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

PointGrid::PointGrid(const std::vector<Point>& points, double cell) : points_(points), cell_(cell) {
  entries_.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const std::int64_t cx = cell_of(points[i].x);
    const std::int64_t cy = cell_of(points[i].y);
    if (i == 0) {
      min_cx_ = max_cx_ = cx;
      min_cy_ = max_cy_ = cy;
    }
    min_cx_ = std::min(min_cx_, cx);
    max_cx_ = std::max(max_cx_, cx);
    min_cy_ = std::min(min_cy_, cy);
    max_cy_ = std::max(max_cy_, cy);
    entries_.push_back({key(cx, cy), i});
  }
  std::sort(entries_.begin(), entries_.end(),
            [](const Entry& a, const Entry& b) { return a.key < b.key; });
}

std::int64_t PointGrid::cell_of(double v) const {
  return static_cast<std::int64_t>(std::floor(v / cell_));
}

std::int64_t PointGrid::key(std::int64_t cx, std::int64_t cy) {
  return cx * (std::int64_t{1} << 32) + cy;
}

std::size_t PointGrid::nearest_within(Point p, double radius) const {
  std::size_t best = npos;
  double best_distance = radius;
  const std::int64_t cx = cell_of(p.x), cy = cell_of(p.y);
  for (std::int64_t dx = -1; dx <= 1; ++dx) {
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      in_cell(cx + dx, cy + dy, [&](std::size_t i) {
        const double d = distance(p, points_[i]);
        if (d < best_distance || (d == best_distance && best != npos && i < best)) {
          best = i;
          best_distance = d;
        }
      });
    }
  }
  return best;
}

// Searches square rings of cells around `p`, widening until no nearer point can remain.
std::size_t PointGrid::nearest_other(Point p, double min_distance) const {
  if (entries_.empty()) return npos;
  std::size_t best = npos;
  double best_distance = std::numeric_limits<double>::infinity();
  const std::int64_t cx = cell_of(p.x), cy = cell_of(p.y);
  const std::int64_t reach = std::max({max_cx_ - cx, cx - min_cx_, max_cy_ - cy, cy - min_cy_});
  const auto visit = [&](std::size_t i) {
    const double d = distance(p, points_[i]);
    if (d > min_distance && d < best_distance) {
      best = i;
      best_distance = d;
    }
  };
  for (std::int64_t ring = 0; ring <= reach; ++ring) {
    for (std::int64_t dx = -ring; dx <= ring; ++dx) {
      const bool edge = dx == -ring || dx == ring;
      for (std::int64_t dy = -ring; dy <= ring; dy += edge ? 1 : 2 * ring) {
        in_cell(cx + dx, cy + dy, visit);
        if (ring == 0) break;
      }
    }
    if (best != npos && best_distance <= static_cast<double>(ring) * cell_) break;
  }
  return best;
}

}  // namespace tessan
