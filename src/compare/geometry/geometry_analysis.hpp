// Footprint geometry as evidence: every source's pads sorted into roles, measured, and every
// pair of usable footprints overlaid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "compare/source_set.hpp"

namespace tessan {

enum class PadRole : std::uint8_t { Ring, Mount, Ep, Via, Paste, Hole, Bottom };
enum class Mounting : std::uint8_t { Smd, ThroughHole, Mixed };

// One source that carries pad geometry.
struct FootprintGeometry {
  const SourceData* source = nullptr;
  std::vector<PadRole> roles;       // one per pad, same order as the source's pads
  std::vector<std::string> labels;  // one per pad: the folded label, empty when blank
  bool usable = false;              // false: the rules below ignore this footprint
  double origin_x = 0;              // centre of the frame, in the source's coordinates
  double origin_y = 0;
  double pitch = 0;   // mm, over the ring pads
  double span_x = 0;  // extent of the ring pad centres, mm
  double span_y = 0;
  Mounting mounting = Mounting::Smd;
  // The pads moved into one common frame (the first usable footprint's, centred on its frame),
  // so that footprints can be drawn over each other. Same order as the source's pads.
  std::vector<PadGeometry> aligned;
  // One per pad: the pad takes part in a geometry or pad-numbering conflict.
  std::vector<bool> in_conflict;
};

// The overlay of two usable footprints.
struct PairAlignment {
  std::size_t first = 0;  // indices into GeometryAnalysis::footprints
  std::size_t second = 0;
  int quarter_turns = 0;  // counter-clockwise turns of `second` onto `first`
  std::vector<std::pair<std::size_t, std::size_t>> matched;  // pad indices (first, second)
  double largest_error = 0;                                  // mm, the farthest matched pair
  double shift_x = 0;  // added to `second`'s turned, centred pads to lie on `first`'s
  double shift_y = 0;
  std::size_t first_matchable = 0;  // sizes of the two match sets
  std::size_t second_matchable = 0;
  std::size_t equal_labels = 0;  // matched pairs with one folded label
  bool package_differs = false;  // a reason for `package_conflicts`
  bool numbered_differently = false;
};

struct GeometryAnalysis {
  std::vector<FootprintGeometry> footprints;  // the sources with geometry, in source order
  std::vector<PairAlignment> pairs;
  std::vector<std::string> package_conflicts;    // different packages, for `package_family`
  std::vector<std::string> numbering_conflicts;  // numbering by position, for `pad_numbers`
};

// True when at least two footprints are usable: only then do the geometry rules apply.
bool geometry_applies(const GeometryAnalysis& analysis);

// Never fails; sources without geometry are left out.
GeometryAnalysis analyse_geometry(const SourceRefs& sources);

}  // namespace tessan
