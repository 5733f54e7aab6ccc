// Finding the library files of each source in a chip directory.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.hpp"

namespace tessan {

struct DiscoveredPaths {
  std::optional<std::filesystem::path> quarn_symbol;
  std::optional<std::filesystem::path> quarn_footprint;
  std::optional<std::filesystem::path> kicad_sym;
  std::optional<std::filesystem::path> kicad_mod;
  std::optional<std::filesystem::path> eagle;
  std::optional<std::filesystem::path> altium_footprint;
  std::optional<std::filesystem::path> altium_symbol;

  // Every path found or given, in reading order.
  std::vector<std::filesystem::path> all() const;
};

// Overrides are used as typed; otherwise a file is taken when an entry of its name exists in
// the chip directory.
DiscoveredPaths discover_sources(const SourceOptions& options,
                                 const std::filesystem::path& chip_dir, const std::string& mpn);

// Whether an MPN could name a file outside the chip directory ("/" or NUL, "." or "..").
bool is_unsafe_mpn(const std::string& mpn);

// Whether any of `sources` was modified after `document` (strictly newer).
bool any_source_newer_than(const std::vector<std::filesystem::path>& sources,
                           const std::filesystem::path& document);

}  // namespace tessan
