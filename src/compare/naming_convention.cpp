#include "compare/naming_convention.hpp"

#include <algorithm>
#include <set>

#include "compare/name_moves.hpp"
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

bool is_benign_spelling(std::string_view a, std::string_view b) {
  switch (sign_relation(a, b)) {
    case SignRelation::Opposite:
      return false;
    case SignRelation::Same:
      return true;
    case SignRelation::None:
      break;
  }
  return same_tokens(a, b) || same_power_alias(a, b) || same_without_underscores(a, b) ||
         same_active_low_name(a, b) || both_exposed_pads(a, b) || ground_class_pair(a, b) ||
         both_no_connect(a, b) || same_uart_port(a, b);
}

bool is_benign_rename(std::string_view a, std::string_view b) {
  return is_benign_spelling(a, b) ||
         (sign_relation(a, b) == SignRelation::None && nested_components(a, b));
}

std::optional<NamingConventionMismatch> naming_convention_variant(const SourceRefs& sources,
                                                                  bool pin_counts_agree) {
  std::vector<NamedSource> named;
  for (const SourceData* source : sources) {
    if (has_named_pins(*source)) named.push_back({source, pin_name_map(*source)});
  }
  if (named.size() < 2) return std::nullopt;
  // Equal pin counts with different pin numbers: a pin was renumbered, not renamed.
  const bool renumbered = std::any_of(named.begin() + 1, named.end(), [&](const NamedSource& n) {
    return !same_keys(n.map, named.front().map);
  });
  if (pin_counts_agree && renumbered) return std::nullopt;
  std::vector<std::string> examples;
  for (std::size_t i = 1; i < named.size(); ++i) {
    if (!collect_examples(named.front(), named[i], examples)) return std::nullopt;
  }
  if (examples.empty()) return std::nullopt;
  return NamingConventionMismatch{std::move(examples)};
}

}  // namespace tessan
