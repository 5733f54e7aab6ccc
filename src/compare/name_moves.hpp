// Detection of a pin name that moved to another pin between two pin-name maps.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "compare/pin_maps.hpp"

namespace tessan {

// Built once per pair of maps (reference and other source), so that each differing pin is
// judged without walking the maps again.
class NameMoves {
 public:
  NameMoves(const PinNameMap& reference, const PinNameMap& other);

  // For a pin named `a` in the reference and `b` in the other map: true when the reference
  // holds `b` on some other pin where the other map does not, or the other map holds `a` on
  // some other pin where the reference does not. Swaps and shifts look like this.
  bool moved(std::string_view a, std::string_view b) const;

 private:
  // Names that a map holds on a pin where the opposite map holds something else or nothing.
  std::set<std::string, std::less<>> reference_only_;
  std::set<std::string, std::less<>> other_only_;
};

// The whole judgement of one differing pin: the name did not move, and the two names are the
// same pin written two ways (`is_benign_rename`).
bool benign_at(const NameMoves& moves, std::string_view a, std::string_view b);

// As `benign_at`, naming the rule that accepts the two names (`benign_rename_rule`).
std::optional<std::string_view> benign_rule_at(const NameMoves& moves, std::string_view a,
                                               std::string_view b);

}  // namespace tessan
