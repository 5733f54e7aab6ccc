#include "compare/name_moves.hpp"

#include "compare/naming_convention.hpp"

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

}  // namespace

NameMoves::NameMoves(const PinNameMap& reference, const PinNameMap& other)
    : reference_only_(unmatched_names(reference, other)),
      other_only_(unmatched_names(other, reference)) {}

// At the differing pin itself the reference holds `a` (not `b`) and the other holds `b` (not
// `a`), so any entry found here comes from another pin.
bool NameMoves::moved(std::string_view a, std::string_view b) const {
  return reference_only_.contains(b) || other_only_.contains(a);
}

bool benign_at(const NameMoves& moves, std::string_view a, std::string_view b) {
  return !moves.moved(a, b) && is_benign_rename(a, b);
}

std::optional<std::string_view> benign_rule_at(const NameMoves& moves, std::string_view a,
                                               std::string_view b) {
  if (moves.moved(a, b)) return std::nullopt;
  return benign_rename_rule(a, b);
}

}  // namespace tessan
