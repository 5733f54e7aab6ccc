#include "compare/geometry/geometry_analysis.hpp"

#include <algorithm>

namespace tessan {

// First cut: every footprint with geometry is listed, centred on the bounding box of its pads;
// roles, measures, alignment and rules are still to come.
GeometryAnalysis analyse_geometry(const SourceRefs& sources) {
  GeometryAnalysis analysis;
  for (const SourceData* source : sources) {
    if (!source->pad_geometry || source->pad_geometry->empty()) continue;
    FootprintGeometry footprint;
    footprint.source = source;
    const auto& pads = *source->pad_geometry;
    double min_x = pads.front().x, max_x = min_x, min_y = pads.front().y, max_y = min_y;
    for (const PadGeometry& pad : pads) {
      min_x = std::min(min_x, pad.x);
      max_x = std::max(max_x, pad.x);
      min_y = std::min(min_y, pad.y);
      max_y = std::max(max_y, pad.y);
    }
    for (PadGeometry pad : pads) {
      pad.x -= (min_x + max_x) / 2;
      pad.y -= (min_y + max_y) / 2;
      footprint.aligned.push_back(pad);
    }
    footprint.roles.assign(pads.size(), PadRole::Ring);
    footprint.in_conflict.assign(pads.size(), false);
    analysis.footprints.push_back(std::move(footprint));
  }
  return analysis;
}

}  // namespace tessan
