#include "compare/name_moves.hpp"

#include <algorithm>
#include <iterator>

#include "compare/naming_convention.hpp"
#include "compare/normalize.hpp"
#include "compare/spelling_rules.hpp"

namespace tessan {
namespace {

// The names `from` holds on a key where `to` does not hold the same name.
std::set<std::string, std::less<>> unmatched_names(const PinNameMap& from, const PinNameMap& to) {
  std::set<std::string, std::less<>> names;
  for (const auto& [key, name] : from) {
    const auto found = to.find(key);
    if (found == to.end() || found->second != name) names.insert(name);
  }
  return names;
}

void add_single_components(const PinNameMap& map,
                           std::multimap<std::string, std::string, std::less<>>& named_by) {
  for (const auto& [key, name] : map) {
    const std::set<std::string> parts = name_components(name);
    if (parts.size() == 1) named_by.emplace(*parts.begin(), key);
  }
}

std::vector<std::string> extra_components(std::string_view a, std::string_view b) {
  const std::set<std::string> parts_a = name_components(a);
  const std::set<std::string> parts_b = name_components(b);
  std::vector<std::string> extras;
  std::set_symmetric_difference(parts_a.begin(), parts_a.end(), parts_b.begin(), parts_b.end(),
                                std::back_inserter(extras));
  return extras;
}

}  // namespace

NameMoves::NameMoves(const PinNameMap& reference, const PinNameMap& other)
    : reference_only_(unmatched_names(reference, other)),
      other_only_(unmatched_names(other, reference)) {
  add_single_components(reference, named_by_);
  add_single_components(other, named_by_);
  for (const auto& [key, a] : reference) {
    const auto found = other.find(key);
    if (found == other.end() || found->second == a) continue;
    const int direction = active_low_direction(a, found->second);
    bar_gained_ = bar_gained_ || direction > 0;
    bar_lost_ = bar_lost_ || direction < 0;
  }
}

// At the differing pin itself the reference holds `a` (not `b`) and the other holds `b` (not
// `a`), so any entry found here comes from another pin.
bool NameMoves::moved(std::string_view a, std::string_view b) const {
  return reference_only_.contains(b) || other_only_.contains(a);
}

bool NameMoves::names_another_pin(const std::string& component, std::string_view key) const {
  const auto [first, last] = named_by_.equal_range(component);
  return std::any_of(first, last, [&](const auto& entry) { return entry.second != key; });
}

std::optional<std::string_view> benign_rule_at(const NameMoves& moves, std::string_view key,
                                               std::string_view a, std::string_view b) {
  if (moves.moved(a, b)) return std::nullopt;
  if (moves.bar_moved() && active_low_direction(a, b) != 0) return std::nullopt;
  if (const auto rule = benign_spelling_rule(a, b)) return rule;
  if (sign_relation(a, b) != SignRelation::None || !nested_components(a, b)) return std::nullopt;
  const std::vector<std::string> extras = extra_components(a, b);
  const bool extra_names_another_pin = std::any_of(
      extras.begin(), extras.end(),
      [&](const std::string& component) { return moves.names_another_pin(component, key); });
  if (extra_names_another_pin) return std::nullopt;
  return kNestedComponentsRule;
}

bool benign_at(const NameMoves& moves, std::string_view key, std::string_view a,
               std::string_view b) {
  return benign_rule_at(moves, key, a, b).has_value();
}

}  // namespace tessan
