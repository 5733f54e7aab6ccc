// A label that only some footprints hold, judged by where its pads lie.
#pragma once

#include <vector>

#include "compare/pad_evidence.hpp"
#include "compare/pad_roles_by_label.hpp"

namespace tessan {

struct ExtraLabelJudgement {
  bool accepted = true;  // every such label held by a usable footprint is explained
  LabelSet exposed;      // labels explained as the exposed pad
  LabelSet set_aside;    // labels whose pins the pin checks leave out (relabels included)
};

// For each label that some but not all sources hold electrically, in every usable footprint
// that holds it: an exposed pad, or pads that lie, in every other usable footprint, on that
// footprint's own extra label (a relabel) or on a second pad of a label both hold (a tab
// numbered like its pin), with the pins on the two pads one pin, in those two sources and in
// every other source that puts pins on them. Labels held only by footprints without usable
// geometry are left to the label rules.
ExtraLabelJudgement judge_extra_labels(const PadEvidence& evidence,
                                       const std::vector<LabelledFootprint>& footprints,
                                       const SourceRefs& sources);

}  // namespace tessan
