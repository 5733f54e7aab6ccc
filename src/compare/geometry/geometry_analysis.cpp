#include "compare/geometry/geometry_analysis.hpp"

#include <algorithm>

#include "compare/geometry/alignment.hpp"
#include "compare/geometry/geometry_rules.hpp"
#include "compare/geometry/measures.hpp"
#include "compare/geometry/pad_roles.hpp"

namespace tessan {
namespace {

bool has_geometry(const SourceData& source) {
  return source.pad_geometry && !source.pad_geometry->empty() &&
         source.pad_geometry->size() == source.pads.size();
}

const PairAlignment* alignment_onto(const GeometryAnalysis& analysis, std::size_t first,
                                    std::size_t footprint) {
  for (const PairAlignment& pair : analysis.pairs) {
    if (pair.first == first && pair.second == footprint) return &pair;
  }
  return nullptr;
}

// Every footprint's pads in the frame of the first usable one: the others turned and
// shifted as their alignment with it says; unusable footprints only centred.
void place_in_common_frame(GeometryAnalysis& analysis) {
  const auto first = std::find_if(analysis.footprints.begin(), analysis.footprints.end(),
                                  [](const FootprintGeometry& f) { return f.usable; });
  const std::size_t first_index = static_cast<std::size_t>(first - analysis.footprints.begin());
  for (std::size_t f = 0; f < analysis.footprints.size(); ++f) {
    FootprintGeometry& footprint = analysis.footprints[f];
    const PairAlignment* pair = alignment_onto(analysis, first_index, f);
    footprint.aligned.clear();
    for (std::size_t i = 0; i < footprint.roles.size(); ++i) {
      footprint.aligned.push_back(pair == nullptr ? placed_pad(footprint, i, 0, 0, 0)
                                                  : placed_pad(footprint, i, pair->quarter_turns,
                                                               pair->shift_x, pair->shift_y));
    }
  }
}

void judge_pairs(GeometryAnalysis& analysis) {
  for (PairAlignment& pair : analysis.pairs) {
    if (auto conflict = package_difference(analysis.footprints, pair)) {
      pair.package_differs = true;
      analysis.package_conflicts.push_back(std::move(*conflict));
    }
  }
  for (PairAlignment& pair : analysis.pairs) {
    if (auto conflict = numbering_difference(analysis.footprints, pair)) {
      pair.numbered_differently = true;
      analysis.numbering_conflicts.push_back(std::move(*conflict));
    }
  }
}

}  // namespace

bool geometry_applies(const GeometryAnalysis& analysis) {
  return std::count_if(analysis.footprints.begin(), analysis.footprints.end(),
                       [](const FootprintGeometry& f) { return f.usable; }) >= 2;
}

GeometryAnalysis analyse_geometry(const SourceRefs& sources) {
  GeometryAnalysis analysis;
  for (const SourceData* source : sources) {
    if (!has_geometry(*source)) continue;
    FootprintGeometry footprint;
    footprint.source = source;
    assign_pad_roles(footprint);
    if (footprint.usable) measure_footprint(footprint);
    footprint.in_conflict.assign(source->pads.size(), false);
    analysis.footprints.push_back(std::move(footprint));
  }
  for (std::size_t a = 0; a < analysis.footprints.size(); ++a) {
    for (std::size_t b = a + 1; b < analysis.footprints.size(); ++b) {
      if (analysis.footprints[a].usable && analysis.footprints[b].usable) {
        analysis.pairs.push_back(align_footprints(analysis.footprints, a, b));
      }
    }
  }
  judge_pairs(analysis);
  place_in_common_frame(analysis);
  return analysis;
}

}  // namespace tessan
