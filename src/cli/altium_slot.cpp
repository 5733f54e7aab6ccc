#include "cli/altium_slot.hpp"

#include <algorithm>

#include "parsers/altium/altium_reader.hpp"

namespace tessan {

std::optional<std::uint32_t> consensus_pad_count(const std::vector<SourceData>& records) {
  std::vector<std::uint32_t> counts;
  for (const auto& record : records) {
    if (!record.pads.empty()) counts.push_back(static_cast<std::uint32_t>(record.pads.size()));
  }
  if (counts.empty()) return std::nullopt;
  std::sort(counts.begin(), counts.end());
  return counts[counts.size() / 2];
}

void read_altium_slot(const DiscoveredPaths& paths, SourceBook& book) {
  if (!paths.altium_footprint) {
    book.mark_missing("altium");
    return;
  }
  const auto consensus = consensus_pad_count(book.records);
  const std::string suffix =
      consensus ? " (consensus_hint=" + std::to_string(*consensus) + ")" : std::string();
  book.book("altium", *paths.altium_footprint,
            read_altium(*paths.altium_footprint, consensus, paths.altium_symbol), "  altium     ",
            "footprint", suffix);
}

}  // namespace tessan
