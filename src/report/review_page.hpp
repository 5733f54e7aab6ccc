// The review page: one self-contained HTML document that lays the sources of one chip side by
// side for a person to judge.
#pragma once

#include <string>
#include <vector>

#include "compare/geometry/geometry_analysis.hpp"
#include "compare/source_data.hpp"
#include "result_doc.hpp"

namespace tessan::report {

// Where one source came from: the files read, or why there is nothing.
struct SourceOrigin {
  std::string source;              // "quarn", "kicad", "eagle" or "altium"
  std::vector<std::string> files;  // empty when no file was found
  std::string failure;             // the reader's error when reading failed
};

struct ReviewInput {
  const ResultDoc* document = nullptr;  // as `check` writes it: status, summary, axes, ...
  const std::vector<SourceData>* records = nullptr;  // the sources read, in reading order
  const GeometryAnalysis* geometry = nullptr;        // pads aligned into one frame
  std::vector<SourceOrigin> origins;                 // every source slot, in reading order
  std::string chip_dir;  // where the files named only by their names lie
};

// The whole page. Every text taken from a library file is escaped; the page loads nothing
// and runs no script.
std::string render_review_page(const ReviewInput& input);

}  // namespace tessan::report
