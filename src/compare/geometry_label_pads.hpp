// The pad roles of the footprint geometry, read per folded label as the label rules ask.
#pragma once

#include "compare/geometry/geometry_analysis.hpp"
#include "compare/pad_evidence.hpp"

namespace tessan {

// `NoGeometry` for a source without a usable footprint (or a label it does not hold);
// `ViaPasteHoleOrEp` when every pad of the label is a via, paste, hole or exposed pad;
// `Other` otherwise. The lookup refers to `geometry`, which must outlive it.
LabelPadLookup geometry_label_pads(const GeometryAnalysis& geometry);

}  // namespace tessan
