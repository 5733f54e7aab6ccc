#include "compare/geometry/point_grid.hpp"

#include <algorithm>
#include <cmath>

namespace tessan {

double squared_distance(Point a, Point b) {
  const double dx = a.x - b.x, dy = a.y - b.y;
  return dx * dx + dy * dy;
}

double distance(Point a, Point b) {
  return std::sqrt(squared_distance(a, b));
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
  build_dense_table();
}

// With no more cells than a few per point, each cell's entries are found by index.
void PointGrid::build_dense_table() {
  if (entries_.empty()) return;
  const double columns = static_cast<double>(max_cx_ - min_cx_ + 1);
  const double rows = static_cast<double>(max_cy_ - min_cy_ + 1);
  if (columns * rows > 4.0 * static_cast<double>(entries_.size()) + 64) return;
  rows_ = max_cy_ - min_cy_ + 1;
  starts_.assign(static_cast<std::size_t>(columns * rows) + 1, 0);
  std::size_t cell = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Point p = points_[entries_[i].index];
    const auto here =
        static_cast<std::size_t>((cell_of(p.x) - min_cx_) * rows_ + (cell_of(p.y) - min_cy_));
    while (cell <= here) starts_[cell++] = i;
  }
  while (cell < starts_.size()) starts_[cell++] = entries_.size();
}

std::int64_t PointGrid::cell_of(double v) const {
  return static_cast<std::int64_t>(std::floor(v / cell_));
}

std::int64_t PointGrid::key(std::int64_t cx, std::int64_t cy) {
  return cx * (std::int64_t{1} << 32) + cy;
}

std::size_t PointGrid::nearest_within(Point p, double radius) const {
  std::size_t best = npos;
  double best_distance = radius * radius;
  const std::int64_t cx = cell_of(p.x), cy = cell_of(p.y);
  for (std::int64_t dx = -1; dx <= 1; ++dx) {
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      in_cell(cx + dx, cy + dy, [&](std::size_t i) {
        const double d = squared_distance(p, points_[i]);
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
    const double d = squared_distance(p, points_[i]);
    if (d > min_distance * min_distance && d < best_distance) {
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
    const double reached = static_cast<double>(ring) * cell_;
    if (best != npos && best_distance <= reached * reached) break;
  }
  return best;
}

}  // namespace tessan
