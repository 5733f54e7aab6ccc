#include "compare/geometry_label_pads.hpp"

#include <algorithm>

namespace tessan {
namespace {

bool is_via_paste_hole_or_ep(PadRole role) {
  return role == PadRole::Via || role == PadRole::Paste || role == PadRole::Hole ||
         role == PadRole::Ep;
}

LabelPads label_pads_of(const FootprintGeometry& footprint, const std::string& folded_label) {
  bool held = false;
  for (std::size_t i = 0; i < footprint.labels.size() && i < footprint.roles.size(); ++i) {
    if (footprint.labels[i] != folded_label) continue;
    held = true;
    if (!is_via_paste_hole_or_ep(footprint.roles[i])) return LabelPads::Other;
  }
  return held ? LabelPads::ViaPasteHoleOrEp : LabelPads::NoGeometry;
}

}  // namespace

LabelPadLookup geometry_label_pads(const GeometryAnalysis& geometry) {
  return [&geometry](const SourceData& source, const std::string& folded_label) {
    const auto found =
        std::find_if(geometry.footprints.begin(), geometry.footprints.end(),
                     [&](const FootprintGeometry& f) { return f.source == &source && f.usable; });
    if (found == geometry.footprints.end() || folded_label.empty()) return LabelPads::NoGeometry;
    return label_pads_of(*found, folded_label);
  };
}

}  // namespace tessan
