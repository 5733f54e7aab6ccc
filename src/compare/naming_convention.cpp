#include "compare/naming_convention.hpp"

#include <algorithm>
#include <set>

#include "compare/name_moves.hpp"
#include "compare/no_connect_pins.hpp"
#include "compare/normalize.hpp"
#include "compare/pin_maps.hpp"
#include "compare/spelling_rules.hpp"

namespace tessan {
namespace {

constexpr std::size_t kMaxExamples = 4;

bool same_tokens(std::string_view a, std::string_view b) {
  std::vector<std::string> tokens_a = name_tokens(a);
  std::vector<std::string> tokens_b = name_tokens(b);
  std::sort(tokens_a.begin(), tokens_a.end());
  std::sort(tokens_b.begin(), tokens_b.end());
  return tokens_a == tokens_b;
}

bool same_power_alias(std::string_view a, std::string_view b) {
  const auto alias_a = power_alias(a);
  const auto alias_b = power_alias(b);
  return alias_a && alias_b && *alias_a == *alias_b;
}

bool same_without_underscores(std::string_view a, std::string_view b) {
  const std::string bare_a = remove_underscores(a);
  return !bare_a.empty() && bare_a == remove_underscores(b);
}

bool both_exposed_pads(std::string_view a, std::string_view b) {
  return is_exposed_pad_name(a) && is_exposed_pad_name(b);
}

bool is_power_component(const std::string& component) {
  return component == "VCC" || component == "GND";
}

}  // namespace

bool nested_components(std::string_view a, std::string_view b) {
  const std::set<std::string> parts_a = name_components(a);
  const std::set<std::string> parts_b = name_components(b);
  if (parts_a.empty() || parts_b.empty()) return false;
  const bool nested =
      std::includes(parts_a.begin(), parts_a.end(), parts_b.begin(), parts_b.end()) ||
      std::includes(parts_b.begin(), parts_b.end(), parts_a.begin(), parts_a.end());
  if (!nested) return false;
  std::set<std::string> all = parts_a;
  all.insert(parts_b.begin(), parts_b.end());
  if (!std::all_of(all.begin(), all.end(),
                   [](const std::string& c) { return is_identifying_component(c); })) {
    return false;
  }
  return std::none_of(all.begin(), all.end(), is_power_component) || parts_a == parts_b;
}

namespace {

struct NamedSource {
  const SourceData* source;
  PinNameMap map;
};

std::string example(const std::string& key, const NamedSource& reference, const std::string& a,
                    const NamedSource& other, const std::string& b) {
  return "pin " + key + ": " + reference.source->name + "=" + a + " \u2194 " + other.source->name +
         "=" + b;
}

std::vector<NamedSource> named_sources(const SourceRefs& sources) {
  std::vector<NamedSource> named;
  for (const SourceData* source : sources) {
    if (has_named_pins(*source)) named.push_back({source, pin_name_map(*source)});
  }
  return named;
}

PinNameMap without_no_connects(PinNameMap map, const PinPresence& presence) {
  for (const UndrawnNoConnect& pin : presence.no_connects) map.erase(pin.key);
  return map;
}

// The named sources number different pins, undrawn no-connect pins aside.
bool renumbered(const std::vector<NamedSource>& named, const PinPresence& presence) {
  if (named.empty()) return false;
  const PinNameMap reference = without_no_connects(named.front().map, presence);
  return std::any_of(named.begin() + 1, named.end(), [&](const NamedSource& n) {
    return !same_keys(without_no_connects(n.map, presence), reference);
  });
}

// Up to `kMaxExamples`, renames first, keeping room for at least one undrawn pin.
std::vector<std::string> first_examples(const std::vector<std::string>& renames,
                                        const std::vector<std::string>& undrawn) {
  const std::size_t room_for_undrawn =
      std::min(undrawn.size(), kMaxExamples - std::min(renames.size(), kMaxExamples - 1));
  std::vector<std::string> examples(
      renames.begin(), renames.begin() + static_cast<std::ptrdiff_t>(std::min(
                                             renames.size(), kMaxExamples - room_for_undrawn)));
  examples.insert(examples.end(), undrawn.begin(),
                  undrawn.begin() + static_cast<std::ptrdiff_t>(room_for_undrawn));
  return examples;
}

// Adds the examples of one pair of sources; false when a difference is not benign.
bool collect_examples(const NamedSource& reference, const NamedSource& other,
                      std::vector<std::string>& examples) {
  const NameMoves moves(reference.map, other.map);
  for (const auto& [key, a] : reference.map) {
    const auto found = other.map.find(key);
    if (found == other.map.end() || found->second == a) continue;
    const std::string& b = found->second;
    if (!benign_at(moves, key, a, b)) return false;
    if (examples.size() < kMaxExamples) examples.push_back(example(key, reference, a, other, b));
  }
  return true;
}

}  // namespace

std::optional<std::string_view> benign_spelling_rule(std::string_view a, std::string_view b) {
  switch (sign_relation(a, b)) {
    case SignRelation::Opposite:
      return std::nullopt;
    case SignRelation::Same:
      return "sign written another way";
    case SignRelation::None:
      break;
  }
  struct Rule {
    bool (*accepts)(std::string_view, std::string_view);
    std::string_view phrase;
  };
  static constexpr Rule kRules[] = {
      {same_tokens, "same words in another order"},
      {same_power_alias, "power alias"},
      {same_without_underscores, "underscores only"},
      {same_active_low_name, "active-low mark"},
      {both_exposed_pads, "exposed-pad names"},
      {ground_class_pair, "ground-class names"},
      {both_no_connect, "no-connect names"},
      {same_uart_port, "serial-port instance digit"},
  };
  for (const Rule& rule : kRules) {
    if (rule.accepts(a, b)) return rule.phrase;
  }
  return std::nullopt;
}

bool is_benign_spelling(std::string_view a, std::string_view b) {
  return benign_spelling_rule(a, b).has_value();
}

std::optional<std::string_view> benign_rename_rule(std::string_view a, std::string_view b) {
  if (const auto rule = benign_spelling_rule(a, b)) return rule;
  if (sign_relation(a, b) == SignRelation::None && nested_components(a, b)) {
    return kNestedComponentsRule;
  }
  return std::nullopt;
}

bool is_benign_rename(std::string_view a, std::string_view b) {
  return benign_rename_rule(a, b).has_value();
}

std::optional<NamingConventionMismatch> naming_convention_variant(const SourceRefs& sources,
                                                                  bool pin_counts_agree) {
  const std::vector<NamedSource> named = named_sources(sources);
  if (named.size() < 2) return std::nullopt;
  const PinPresence presence = pin_presence(sources);
  // Equal pin counts with different pin numbers: a pin was renumbered, not renamed.
  if (pin_counts_agree && renumbered(named, presence)) return std::nullopt;
  std::vector<std::string> renames;
  for (std::size_t i = 1; i < named.size(); ++i) {
    if (!collect_examples(named.front(), named[i], renames)) return std::nullopt;
  }
  std::vector<std::string> undrawn;
  if (presence.only_no_connects_missing && presence.counts_agree_without) {
    for (const UndrawnNoConnect& pin : presence.no_connects) {
      undrawn.push_back("pin " + pin.key + ": " + pin.holder + "=" + pin.name + " \u2194 " +
                        pin.lacker + "=" + std::string(kNotDrawn));
    }
  }
  std::vector<std::string> examples = first_examples(renames, undrawn);
  if (examples.empty()) return std::nullopt;
  return NamingConventionMismatch{std::move(examples)};
}

bool pin_names_accepted(const SourceRefs& sources) {
  const std::vector<NamedSource> named = named_sources(sources);
  const PinPresence presence = pin_presence(sources);
  std::vector<std::string> ignored;
  for (std::size_t i = 1; i < named.size(); ++i) {
    if (!collect_examples(named.front(), named[i], ignored)) return false;
  }
  return !renumbered(named, presence);
}

}  // namespace tessan
