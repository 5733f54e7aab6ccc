// What `check` and `report` share: resolving the chip directory, reading every discovered
// source and judging them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "cli/command_line.hpp"
#include "cli/source_booking.hpp"
#include "cli/source_discovery.hpp"
#include "compare/compare_sources.hpp"
#include "result_doc.hpp"

namespace tessan {

struct ChipTarget {
  std::filesystem::path chip_dir;  // canonical
  std::string mpn;
};

// The target, or the text of the ERROR: line and whether the fault is a usage error.
struct TargetResolution {
  std::optional<ChipTarget> target;
  std::string error;
  bool usage_error = false;
};

TargetResolution resolve_target(const SourceOptions& options);

struct Assessment {
  SourceBook book;
  // Absent with fewer than two readable sources. Its geometry points into `book.records`.
  std::optional<ComparisonReport> comparison;
  ResultDoc document;  // the result document `check` writes
  bool summary_is_ok = false;
};

// Reads the sources (printing the progress lines) and judges them. Never fails.
Assessment assess_sources(const std::string& mpn, const DiscoveredPaths& paths);

}  // namespace tessan
