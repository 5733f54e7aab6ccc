#include "compare/pins_explained.hpp"

#include <algorithm>

#include "compare/name_moves.hpp"
#include "compare/no_connect_pins.hpp"

namespace tessan {
namespace {

bool names_differ_benignly(const PinNameMap& reference, const PinNameMap& other) {
  const NameMoves moves(reference, other);
  return std::all_of(reference.begin(), reference.end(), [&](const auto& entry) {
    const auto found = other.find(entry.first);
    return found == other.end() || found->second == entry.second ||
           benign_at(moves, entry.first, entry.second, found->second);
  });
}

}  // namespace

bool pins_explained(const SourceRefs& sources, const LabelSet& explained_pads) {
  LabelSet dropped = folded_no_connect_keys(pin_presence(sources));
  dropped.insert(explained_pads.begin(), explained_pads.end());
  std::vector<PinNameMap> all_maps;
  std::vector<const PinNameMap*> named_maps;
  all_maps.reserve(sources.size());
  for (const SourceData* source : sources) {
    if (!has_pins(*source)) continue;
    all_maps.push_back(folded_pin_name_map(*source, dropped));
    if (!is_stub_source(*source)) named_maps.push_back(&all_maps.back());
  }
  const bool same_pins = std::all_of(all_maps.begin(), all_maps.end(), [&](const PinNameMap& m) {
    return same_keys(m, all_maps.front());
  });
  if (!same_pins) return false;
  for (std::size_t i = 1; i < named_maps.size(); ++i) {
    if (!names_differ_benignly(*named_maps.front(), *named_maps[i])) return false;
  }
  return true;
}

}  // namespace tessan
