// Sources with pad geometry and their footprints in the aligned frame, built in code so that
// the page can be drawn without any reader.
#pragma once

#include <string>
#include <vector>

#include "compare/geometry/geometry_analysis.hpp"
#include "compare/source_data.hpp"

namespace tessan::testing {

// An SOIC-8: pads 1-4 down the left column, 5-8 up the right, 1.27 mm apart, `span` mm
// between the columns; pins named after the LM358.
inline SourceData soic8(const std::string& name, double span = 5.4) {
  static const char* const kNames[] = {"OUT1", "IN1-", "IN1+", "GND",
                                       "IN2+", "IN2-", "OUT2", "VCC"};
  SourceData source;
  source.name = name;
  source.pad_geometry.emplace();
  for (int i = 0; i < 8; ++i) {
    const bool left = i < 4;
    const double row = left ? i : 7 - i;
    PadGeometry pad;
    pad.x = left ? -span / 2 : span / 2;
    pad.y = 1.905 - 1.27 * row;
    pad.w = 1.5;
    pad.h = 0.6;
    source.pads.push_back(std::to_string(i + 1));
    source.pad_geometry->push_back(pad);
    source.pins.push_back({std::to_string(i + 1), kNames[i], false});
  }
  source.package = PackageInfo{3.9, 4.9, "SOIC-8"};
  return source;
}

// The footprint of `source` as the analysis would give it: aligned as it stands, every pad on
// the ring, nothing in conflict.
inline FootprintGeometry aligned_footprint(const SourceData& source) {
  FootprintGeometry footprint;
  footprint.source = &source;
  footprint.aligned = *source.pad_geometry;
  footprint.roles.assign(footprint.aligned.size(), PadRole::Ring);
  footprint.in_conflict.assign(footprint.aligned.size(), false);
  footprint.usable = true;
  footprint.pitch = 1.27;
  return footprint;
}

inline GeometryAnalysis geometry_of(const std::vector<SourceData>& records) {
  GeometryAnalysis analysis;
  for (const SourceData& record : records) {
    if (record.pad_geometry) analysis.footprints.push_back(aligned_footprint(record));
  }
  return analysis;
}

// The part of `text` from the first `open` to the end of the first `close` after it.
inline std::string between(const std::string& text, const std::string& open,
                           const std::string& close) {
  const auto start = text.find(open);
  if (start == std::string::npos) return "";
  const auto end = text.find(close, start);
  return end == std::string::npos ? text.substr(start)
                                  : text.substr(start, end + close.size() - start);
}

inline std::size_t count_of(const std::string& text, const std::string& needle) {
  std::size_t count = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace tessan::testing
