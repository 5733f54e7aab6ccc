#include <algorithm>
#include <cmath>
#include <map>

#include "compare/display_text.hpp"
#include "compare/geometry/alignment.hpp"
#include "compare/geometry/geometry_rules.hpp"
#include "compare/geometry/tolerances.hpp"

namespace tessan {
namespace {

namespace tol = geometry_tolerance;

bool far_apart(double p, double q, double share) {
  return std::fabs(p - q) > share * std::max(p, q);
}

std::string mounting_reason(const FootprintGeometry& a, const FootprintGeometry& b) {
  const auto text = [](const FootprintGeometry& smd, const FootprintGeometry& holes) {
    return smd.source->name + " is surface-mount, " + holes.source->name + " is through-hole";
  };
  if (a.mounting == Mounting::Smd && b.mounting == Mounting::ThroughHole) return text(a, b);
  if (a.mounting == Mounting::ThroughHole && b.mounting == Mounting::Smd) return text(b, a);
  return {};
}

std::string pitch_reason(const FootprintGeometry& a, const FootprintGeometry& b) {
  if (a.pitch <= 0 || b.pitch <= 0 || !far_apart(a.pitch, b.pitch, tol::kPitchDifference))
    return {};
  return "pitch " + two_decimals(a.pitch) + " vs " + two_decimals(b.pitch) + " mm";
}

// The spans of `b` turned onto `a`; the direction that differs most, when it differs enough.
std::string span_reason(const FootprintGeometry& a, const FootprintGeometry& b, int turns) {
  const double pitch = std::max(a.pitch, b.pitch);
  const double bx = turns % 2 == 0 ? b.span_x : b.span_y;
  const double by = turns % 2 == 0 ? b.span_y : b.span_x;
  std::string reason;
  double worst = 0;
  for (const auto& [s, t] : {std::pair(a.span_x, bx), std::pair(a.span_y, by)}) {
    if (std::min(s, t) < pitch || !far_apart(s, t, tol::kSpanDifference)) continue;
    const double share = std::fabs(s - t) / std::max(s, t);
    if (share <= worst) continue;
    worst = share;
    reason = "row span " + two_decimals(s) + " vs " + two_decimals(t) + " mm";
  }
  return reason;
}

struct Offset {
  std::size_t pad_a, pad_b;
  double dx, dy;
};

// The side of the frame a pad lies on, from its position against the spans.
int side_of(const PadGeometry& pad, const FootprintGeometry& f) {
  const double hx = std::max(f.span_x / 2, tol::kSamePlace);
  const double hy = std::max(f.span_y / 2, tol::kSamePlace);
  if (std::fabs(pad.x) / hx >= std::fabs(pad.y) / hy) return pad.x < 0 ? 0 : 1;
  return pad.y < 0 ? 2 : 3;
}

struct ErrorFound {
  double largest = 0;
  std::vector<Offset> beyond;
};

ErrorFound hole_error(const std::vector<Offset>& holes) {
  ErrorFound found;
  for (const Offset& o : holes) {
    const double d = std::hypot(o.dx, o.dy);
    if (d <= tol::kHoleError) continue;
    found.largest = std::max(found.largest, d);
    found.beyond.push_back(o);
  }
  return found;
}

// Per side, the mean offset is taken out (rows drawn further out, pads drawn longer); what
// remains is how far pads lie apart along their rows.
ErrorFound row_error(const std::map<int, std::vector<Offset>>& sides, double pitch) {
  ErrorFound found;
  const double limit = std::max(tol::kRowErrorMin, tol::kRowErrorPitchShare * pitch);
  for (const auto& [side, offsets] : sides) {
    double mx = 0, my = 0;
    for (const Offset& o : offsets) {
      mx += o.dx;
      my += o.dy;
    }
    mx /= static_cast<double>(offsets.size());
    my /= static_cast<double>(offsets.size());
    for (const Offset& o : offsets) {
      const double d = std::hypot(o.dx - mx, o.dy - my);
      if (d <= limit) continue;
      found.largest = std::max(found.largest, d);
      found.beyond.push_back(o);
    }
  }
  return found;
}

void mark_all_matchable(std::vector<FootprintGeometry>& footprints, const PairAlignment& pair) {
  for (std::size_t f : {pair.first, pair.second}) {
    FootprintGeometry& fp = footprints[f];
    for (std::size_t i = 0; i < fp.roles.size(); ++i) {
      if (fp.roles[i] == PadRole::Ring || fp.roles[i] == PadRole::Mount) fp.in_conflict[i] = true;
    }
  }
}

void mark(std::vector<FootprintGeometry>& footprints, const PairAlignment& pair,
          const std::vector<Offset>& offsets) {
  for (const Offset& o : offsets) {
    footprints[pair.first].in_conflict[o.pad_a] = true;
    footprints[pair.second].in_conflict[o.pad_b] = true;
  }
}

std::vector<std::string> error_reasons(std::vector<FootprintGeometry>& footprints,
                                       const PairAlignment& pair) {
  const FootprintGeometry& a = footprints[pair.first];
  const FootprintGeometry& b = footprints[pair.second];
  std::vector<Offset> holes;
  std::map<int, std::vector<Offset>> sides;
  for (const auto& [i, j] : pair.matched) {
    if (a.roles[i] != PadRole::Ring || b.roles[j] != PadRole::Ring) continue;
    const PadGeometry pa = placed_pad(a, i, 0, 0, 0);
    const PadGeometry pb = placed_pad(b, j, pair.quarter_turns, pair.shift_x, pair.shift_y);
    const Offset o{i, j, pb.x - pa.x, pb.y - pa.y};
    const bool smd_a = pa.kind == PadKind::Smd, smd_b = pb.kind == PadKind::Smd;
    if (!smd_a && !smd_b) holes.push_back(o);
    if (smd_a && smd_b) sides[side_of(pa, a)].push_back(o);
  }
  std::vector<std::string> reasons;
  const ErrorFound by_hole = hole_error(holes);
  if (!by_hole.beyond.empty()) {
    reasons.push_back("holes up to " + two_decimals(by_hole.largest) + " mm apart");
    mark(footprints, pair, by_hole.beyond);
  }
  const ErrorFound by_row = row_error(sides, std::max(a.pitch, b.pitch));
  if (!by_row.beyond.empty()) {
    reasons.push_back("pads up to " + two_decimals(by_row.largest) + " mm apart along their rows");
    mark(footprints, pair, by_row.beyond);
  }
  return reasons;
}

}  // namespace

std::optional<std::string> package_difference(std::vector<FootprintGeometry>& footprints,
                                              const PairAlignment& pair) {
  const FootprintGeometry& a = footprints[pair.first];
  const FootprintGeometry& b = footprints[pair.second];
  std::vector<std::string> reasons;
  for (std::string reason :
       {mounting_reason(a, b), pitch_reason(a, b), span_reason(a, b, pair.quarter_turns)}) {
    if (!reason.empty()) reasons.push_back(std::move(reason));
  }
  if (!reasons.empty()) {
    mark_all_matchable(footprints, pair);
  } else {
    reasons = error_reasons(footprints, pair);
  }
  if (reasons.empty()) return std::nullopt;
  return "Footprint geometry differs between " + a.source->name + " and " + b.source->name + ": " +
         join(reasons, "; ");
}

}  // namespace tessan
