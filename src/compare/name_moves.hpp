// What two pin-name maps say about each differing pin beyond its own two names: a name that
// moved to another pin, a bar that moved, an alternative that names another pin.
#pragma once

#include <functional>
#include <map>
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

  // True when one differing pin gains an active-low mark and another loses one.
  bool bar_moved() const { return bar_gained_ && bar_lost_; }

  // True when a pin other than `key`, in either map, is named by `component` alone.
  bool names_another_pin(const std::string& component, std::string_view key) const;

 private:
  // Names that a map holds on a pin where the opposite map holds something else or nothing.
  std::set<std::string, std::less<>> reference_only_;
  std::set<std::string, std::less<>> other_only_;
  // The single component of a pin's name -> the pin's key, over both maps.
  std::multimap<std::string, std::string, std::less<>> named_by_;
  bool bar_gained_ = false;
  bool bar_lost_ = false;
};

// The whole judgement of one differing pin `key`, named `a` in the reference and `b` in the
// other map: the name did not move, no bar moved to or from it, and the names are the same
// pin written two ways (`is_benign_spelling`, or nested components whose extra alternatives
// name no other pin).
bool benign_at(const NameMoves& moves, std::string_view key, std::string_view a,
               std::string_view b);

// As `benign_at`, naming the rule that accepts the two names (`benign_rename_rule`).
std::optional<std::string_view> benign_rule_at(const NameMoves& moves, std::string_view key,
                                               std::string_view a, std::string_view b);

}  // namespace tessan
