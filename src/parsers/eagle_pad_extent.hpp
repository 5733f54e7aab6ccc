// The extent of a package's pad centres, which stands for its body size.
#pragma once

#include <cmath>
#include <limits>
#include <optional>

namespace tessan {

class PadExtent {
 public:
  // A NaN coordinate leaves the running bounds of its axis unchanged.
  void add(double x, double y) {
    if (x < min_x_) min_x_ = x;
    if (x > max_x_) max_x_ = x;
    if (y < min_y_) min_y_ = y;
    if (y > max_y_) max_y_ = y;
  }

  // Absent when no finite span exists along the axis: no pad, or an infinite coordinate.
  std::optional<double> width() const { return span(min_x_, max_x_); }
  std::optional<double> height() const { return span(min_y_, max_y_); }

 private:
  static std::optional<double> span(double low, double high) {
    const double extent = std::fabs(high - low);
    if (!std::isfinite(high) || !std::isfinite(extent)) return std::nullopt;
    return extent;
  }

  static constexpr double kInfinity = std::numeric_limits<double>::infinity();
  double min_x_ = kInfinity;
  double max_x_ = -kInfinity;
  double min_y_ = kInfinity;
  double max_y_ = -kInfinity;
};

}  // namespace tessan
