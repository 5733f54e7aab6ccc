// Hints that tell the caller what to do about each unexplained disagreement.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/source_data.hpp"
#include "result_doc.hpp"

namespace tessan {

// The KiCad file of the kind an axis looks at: "kicad_mod", "kicad_sym" or "unknown".
std::string_view suspect_format(std::string_view axis);

// Which KiCad files the run read; a refetch hint never names a kind that was not read.
struct KicadFilesRead {
  bool symbol = false;
  bool footprint = false;
};

// The file a refetch hint names for a conflict on `axis` whose lone library is `suspect`
// ("kicad", "eagle", "altium"): "eagle" or "altium" as named; for kicad, and without a suspect,
// the KiCad file of the axis's kind when that file was read, else "unknown".
std::string refetch_format(std::string_view axis, const std::optional<std::string>& suspect,
                           KicadFilesRead kicad);

// Where to refetch a library of `format` from.
std::vector<std::string> suggested_sources(std::string_view format, std::string_view mpn);

// Whether quarn alone disagrees with every other source on this axis.
bool is_lone_quarn_disagreement(const AxisOutcome& axis);

// Appends the hints of every disagreeing axis, in axis order and conflict order.
// A conflict that the naming tests accept on its own gives no hint, unless every conflict of the
// axis is such; then the first one does, so that a divergent axis is never silent.
void append_axis_hints(const std::string& mpn, const std::vector<SourceData>& records,
                       const std::vector<AxisOutcome>& axes,
                       const std::vector<std::string>& covered, KicadFilesRead kicad,
                       std::vector<Hint>& hints);

}  // namespace tessan
