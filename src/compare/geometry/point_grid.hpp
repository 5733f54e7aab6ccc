// A spatial index over points: cells of one size, sorted once; a cell is found in a dense
// table when the cells are few, else by binary search.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace tessan {

struct Point {
  double x = 0;
  double y = 0;
};

double distance(Point a, Point b);
double squared_distance(Point a, Point b);

class PointGrid {
 public:
  static constexpr std::size_t npos = std::numeric_limits<std::size_t>::max();

  // `cell` must be positive; the points must be finite and within a kilometre.
  PointGrid(const std::vector<Point>& points, double cell);

  // The nearest point closer than `radius` (at most one cell), or npos.
  std::size_t nearest_within(Point p, double radius) const;

  // Calls `visit(index)` for every point in the cell of `p` and the eight around it.
  template <class Visit>
  void for_each_near(Point p, Visit&& visit) const {
    const std::int64_t cx = cell_of(p.x), cy = cell_of(p.y);
    for (std::int64_t dx = -1; dx <= 1; ++dx) {
      for (std::int64_t dy = -1; dy <= 1; ++dy) in_cell(cx + dx, cy + dy, visit);
    }
  }

  // The nearest point other than one at `p` itself (farther than `min_distance`), or npos.
  std::size_t nearest_other(Point p, double min_distance) const;

 private:
  struct Entry {
    std::int64_t key;
    std::size_t index;
  };
  std::int64_t cell_of(double v) const;
  static std::int64_t key(std::int64_t cx, std::int64_t cy);
  void build_dense_table();

  // Calls `visit` for every point in cell (cx, cy).
  template <class Visit>
  void in_cell(std::int64_t cx, std::int64_t cy, Visit&& visit) const {
    if (cx < min_cx_ || cx > max_cx_ || cy < min_cy_ || cy > max_cy_) return;
    if (!starts_.empty()) {
      const auto cell = static_cast<std::size_t>((cx - min_cx_) * rows_ + (cy - min_cy_));
      for (std::size_t i = starts_[cell]; i < starts_[cell + 1]; ++i) visit(entries_[i].index);
      return;
    }
    const std::int64_t wanted = key(cx, cy);
    auto it = std::lower_bound(entries_.begin(), entries_.end(), wanted,
                               [](const Entry& e, std::int64_t k) { return e.key < k; });
    for (; it != entries_.end() && it->key == wanted; ++it) visit(it->index);
  }

  const std::vector<Point>& points_;
  double cell_;
  std::int64_t min_cx_ = 0, max_cx_ = 0, min_cy_ = 0, max_cy_ = 0, rows_ = 0;
  std::vector<Entry> entries_;       // sorted by key
  std::vector<std::size_t> starts_;  // dense table: first entry of each cell, column by column
};

}  // namespace tessan
