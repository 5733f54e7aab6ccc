#include "compare/geometry/pad_roles.hpp"

#include <algorithm>
#include <cmath>
#include <set>

#include "compare/geometry/point_grid.hpp"
#include "compare/geometry/tolerances.hpp"
#include "compare/normalize.hpp"

namespace tessan {
namespace {

namespace tol = geometry_tolerance;

struct Box {
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
};

bool is_blank(const std::string& label) {
  return label.find_first_not_of(" \t\n\r\f\v") == std::string::npos;
}

bool finite_pad(const PadGeometry& pad) {
  const auto sane = [](double v) {
    return std::isfinite(v) && std::fabs(v) <= tol::kLargestCoordinate;
  };
  return sane(pad.x) && sane(pad.y) && sane(pad.w) && sane(pad.h) && sane(pad.drill);
}

// A bottom-side pad whose label a top-side (or through) copper pad also carries.
std::vector<bool> bottom_copies(const std::vector<PadGeometry>& pads,
                                const std::vector<std::string>& labels) {
  std::set<std::string> top_labels;
  for (std::size_t i = 0; i < pads.size(); ++i) {
    if (pads[i].has_copper && pads[i].side != PadSide::Bottom) top_labels.insert(labels[i]);
  }
  std::vector<bool> copies(pads.size(), false);
  for (std::size_t i = 0; i < pads.size(); ++i) {
    copies[i] = pads[i].side == PadSide::Bottom && top_labels.contains(labels[i]);
  }
  return copies;
}

// The bounding box of the centres of the numbered copper pads (all copper pads when none
// is numbered).
Box frame_of(const std::vector<PadGeometry>& pads, const std::vector<std::string>& labels) {
  const std::vector<bool> copies = bottom_copies(pads, labels);
  Box box;
  bool any = false;
  for (int numbered_only = 1; numbered_only >= 0 && !any; --numbered_only) {
    for (std::size_t i = 0; i < pads.size(); ++i) {
      if (!pads[i].has_copper || copies[i] || (numbered_only && labels[i].empty())) continue;
      if (!any) box = {pads[i].x, pads[i].x, pads[i].y, pads[i].y};
      any = true;
      box.min_x = std::min(box.min_x, pads[i].x);
      box.max_x = std::max(box.max_x, pads[i].x);
      box.min_y = std::min(box.min_y, pads[i].y);
      box.max_y = std::max(box.max_y, pads[i].y);
    }
  }
  return box;
}

bool is_interior(const PadGeometry& pad, const Box& frame) {
  return pad.x > frame.min_x + tol::kInteriorMargin && pad.x < frame.max_x - tol::kInteriorMargin &&
         pad.y > frame.min_y + tol::kInteriorMargin && pad.y < frame.max_y - tol::kInteriorMargin;
}

bool is_via(const PadGeometry& pad) {
  return pad.kind == PadKind::PlatedHole && pad.drill <= tol::kViaDrillMax &&
         std::max(pad.w, pad.h) <= tol::kViaCopperMax;
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

void assign_interior_roles(const std::vector<PadGeometry>& pads, FootprintGeometry& footprint,
                           const std::vector<bool>& interior) {
  std::set<std::string> interior_labels;
  for (std::size_t i = 0; i < pads.size(); ++i) {
    if (!interior[i] || !pads[i].has_copper) continue;
    if (is_via(pads[i])) {
      footprint.roles[i] = PadRole::Via;
    } else if (!footprint.labels[i].empty()) {
      interior_labels.insert(footprint.labels[i]);
    }
  }
  const bool array = interior_labels.size() >= tol::kArrayInteriorLabels;
  for (std::size_t i = 0; i < pads.size(); ++i) {
    if (interior[i] && pads[i].has_copper && footprint.roles[i] != PadRole::Via) {
      footprint.roles[i] = array ? PadRole::Ring : PadRole::Ep;
    }
  }
}

void mark_mount_pads(const std::vector<PadGeometry>& pads, FootprintGeometry& footprint) {
  std::vector<double> areas, drills;
  for (std::size_t i = 0; i < pads.size(); ++i) {
    if (footprint.roles[i] != PadRole::Ring) continue;
    areas.push_back(pads[i].w * pads[i].h);
    drills.push_back(pads[i].drill);
  }
  const double area = median(areas), drill = median(drills);
  for (std::size_t i = 0; i < pads.size(); ++i) {
    if (footprint.roles[i] != PadRole::Ring) continue;
    if (pads[i].w * pads[i].h > tol::kMountAreaFactor * area ||
        pads[i].drill > tol::kMountDrillFactor * drill || footprint.labels[i].empty()) {
      footprint.roles[i] = PadRole::Mount;
    }
  }
}

double overlap_area(const PadGeometry& a, const PadGeometry& b) {
  const double w = std::min(a.x + a.w / 2, b.x + b.w / 2) - std::max(a.x - a.w / 2, b.x - b.w / 2);
  const double h = std::min(a.y + a.h / 2, b.y + b.h / 2) - std::max(a.y - a.h / 2, b.y - b.h / 2);
  return w > 0 && h > 0 ? w * h : 0;
}

bool overlaps_much(const PadGeometry& a, const PadGeometry& b) {
  return overlap_area(a, b) > tol::kOverlapShare * std::min(a.w * a.h, b.w * b.h);
}

// Ring and mount pads that overlap a copper pad of another label by much of the smaller
// area. Pads of ordinary size are found through a grid; the few large ones are tried
// against every pad.
std::size_t overlapping_ring_pads(const std::vector<PadGeometry>& pads,
                                  const FootprintGeometry& footprint) {
  std::vector<std::size_t> numbered;
  std::vector<double> extents;
  for (std::size_t i = 0; i < pads.size(); ++i) {
    if (!pads[i].has_copper || footprint.labels[i].empty()) continue;
    numbered.push_back(i);
    extents.push_back(std::max(pads[i].w, pads[i].h));
  }
  const double cell = std::max(2 * median(extents), tol::kSamePlace);
  std::vector<std::size_t> ordinary, large;
  std::vector<Point> centres;
  for (std::size_t i : numbered) {
    if (std::max(pads[i].w, pads[i].h) <= cell) {
      ordinary.push_back(i);
      centres.push_back({pads[i].x, pads[i].y});
    } else {
      large.push_back(i);
    }
  }
  std::vector<bool> overlapping(pads.size(), false);
  const auto test = [&](std::size_t a, std::size_t b) {
    if (a != b && footprint.labels[a] != footprint.labels[b] && overlaps_much(pads[a], pads[b])) {
      overlapping[a] = overlapping[b] = true;
    }
  };
  const PointGrid grid(centres, cell);
  for (std::size_t a : ordinary) {
    grid.for_each_near({pads[a].x, pads[a].y}, [&](std::size_t k) { test(a, ordinary[k]); });
  }
  if (large.size() > tol::kMaxLargePads) return pads.size();
  for (std::size_t a : large) {
    for (std::size_t b : numbered) test(a, b);
  }
  std::size_t count = 0;
  for (std::size_t i = 0; i < pads.size(); ++i) {
    const PadRole role = footprint.roles[i];
    if (overlapping[i] && (role == PadRole::Ring || role == PadRole::Mount)) ++count;
  }
  return count;
}

bool judge_usable(const std::vector<PadGeometry>& pads, const FootprintGeometry& footprint) {
  std::size_t ring = 0;
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  for (std::size_t i = 0; i < pads.size(); ++i) {
    if (pads[i].has_copper && !(pads[i].w > 0 && pads[i].h > 0)) return false;
    const PadRole role = footprint.roles[i];
    if (role != PadRole::Ring && role != PadRole::Mount) continue;
    if (ring++ == 0) {
      min_x = max_x = pads[i].x;
      min_y = max_y = pads[i].y;
    }
    min_x = std::min(min_x, pads[i].x);
    max_x = std::max(max_x, pads[i].x);
    min_y = std::min(min_y, pads[i].y);
    max_y = std::max(max_y, pads[i].y);
  }
  if (max_x - min_x < tol::kMinSpread || max_y - min_y < tol::kMinSpread) return false;
  return static_cast<double>(overlapping_ring_pads(pads, footprint)) <=
         tol::kMaxOverlapping * static_cast<double>(ring);
}

}  // namespace

bool is_copper_role(PadRole role) {
  return role != PadRole::Paste && role != PadRole::Hole;
}

bool is_matchable(const FootprintGeometry& footprint, std::size_t pad) {
  const PadRole role = footprint.roles[pad];
  return role == PadRole::Ring || (role == PadRole::Mount && !footprint.labels[pad].empty());
}

void assign_pad_roles(FootprintGeometry& footprint) {
  const SourceData& source = *footprint.source;
  const std::vector<PadGeometry>& pads = *source.pad_geometry;
  footprint.labels.clear();
  for (const std::string& label : source.pads) {
    footprint.labels.push_back(is_blank(label) ? std::string() : fold_label(pin_number_key(label)));
  }
  footprint.roles.assign(pads.size(), PadRole::Ring);
  footprint.usable =
      pads.size() <= tol::kMaxPads && std::all_of(pads.begin(), pads.end(), finite_pad);
  if (!footprint.usable) return;
  const Box frame = frame_of(pads, footprint.labels);
  footprint.origin_x = (frame.min_x + frame.max_x) / 2;
  footprint.origin_y = (frame.min_y + frame.max_y) / 2;
  std::vector<bool> interior(pads.size(), false);
  for (std::size_t i = 0; i < pads.size(); ++i) {
    if (!pads[i].has_copper) {
      footprint.roles[i] = pads[i].kind == PadKind::Smd ? PadRole::Paste : PadRole::Hole;
    } else {
      interior[i] = is_interior(pads[i], frame);
      if (!interior[i] && pads[i].side == PadSide::Bottom) footprint.roles[i] = PadRole::Bottom;
    }
  }
  assign_interior_roles(pads, footprint, interior);
  mark_mount_pads(pads, footprint);
  footprint.usable = judge_usable(pads, footprint);
}

}  // namespace tessan
