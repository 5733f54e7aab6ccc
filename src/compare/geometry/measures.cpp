#include "compare/geometry/measures.hpp"

#include <algorithm>
#include <cmath>
#include <map>

#include "compare/geometry/point_grid.hpp"
#include "compare/geometry/tolerances.hpp"

namespace tessan {
namespace {

namespace tol = geometry_tolerance;

std::vector<Point> distinct_places(const std::vector<Point>& points) {
  using Place = std::pair<long long, long long>;
  std::vector<std::pair<Place, Point>> keyed;
  keyed.reserve(points.size());
  for (Point p : points) {
    keyed.push_back(
        {{std::llround(p.x / tol::kSamePlace), std::llround(p.y / tol::kSamePlace)}, p});
  }
  std::sort(keyed.begin(), keyed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Point> places;
  for (std::size_t i = 0; i < keyed.size(); ++i) {
    if (i == 0 || keyed[i].first != keyed[i - 1].first) places.push_back(keyed[i].second);
  }
  return places;
}

double round_hundredths(double value) {
  return std::round(value * 100) / 100;
}

// The mean of the nearest-neighbour distances near the most common one (the smallest of
// equally common ones), to 0.01 mm.
double pitch_of(const std::vector<Point>& places, double span_x, double span_y) {
  if (places.size() < 2) return 0;
  const double count = static_cast<double>(places.size());
  const double cell = std::max(
      {std::sqrt(span_x * span_y / count), std::max(span_x, span_y) / count, tol::kSamePlace});
  const PointGrid grid(places, cell);
  std::vector<double> nearest;
  std::map<long long, std::size_t> times;
  for (const Point& p : places) {
    const std::size_t other = grid.nearest_other(p, tol::kSamePlace / 2);
    if (other == PointGrid::npos) continue;
    nearest.push_back(distance(p, places[other]));
    ++times[std::llround(nearest.back() * 100)];
  }
  if (nearest.empty()) return 0;
  const auto mode = std::max_element(
      times.begin(), times.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
  const double common = static_cast<double>(mode->first) / 100;
  double sum = 0;
  std::size_t used = 0;
  for (double d : nearest) {
    if (std::fabs(d - common) <= tol::kPitchCluster * common) {
      sum += d;
      ++used;
    }
  }
  return used == 0 ? common : round_hundredths(sum / static_cast<double>(used));
}

}  // namespace

void measure_footprint(FootprintGeometry& footprint) {
  const std::vector<PadGeometry>& pads = *footprint.source->pad_geometry;
  std::vector<Point> centres;
  bool smd = false, holes = false;
  for (std::size_t i = 0; i < pads.size(); ++i) {
    if (footprint.roles[i] != PadRole::Ring) continue;
    centres.push_back({pads[i].x, pads[i].y});
    (pads[i].kind == PadKind::Smd ? smd : holes) = true;
  }
  footprint.mounting = holes ? (smd ? Mounting::Mixed : Mounting::ThroughHole) : Mounting::Smd;
  if (centres.empty()) return;
  const auto [min_x, max_x] = std::minmax_element(centres.begin(), centres.end(),
                                                  [](Point a, Point b) { return a.x < b.x; });
  const auto [min_y, max_y] = std::minmax_element(centres.begin(), centres.end(),
                                                  [](Point a, Point b) { return a.y < b.y; });
  footprint.span_x = max_x->x - min_x->x;
  footprint.span_y = max_y->y - min_y->y;
  footprint.pitch = pitch_of(distinct_places(centres), footprint.span_x, footprint.span_y);
}

}  // namespace tessan
