#include "compare/pin_conflicts.hpp"

#include "compare/axis_names.hpp"
#include "compare/normalize.hpp"

namespace tessan {
namespace {

constexpr std::string_view kPinPrefix = "pin ";
constexpr std::string_view kNameSeparator = ": ";
constexpr std::string_view kPresentIn = " present in ";
constexpr std::string_view kBut = " but ";

std::map<std::string, LabelSet> pads_by_name(const SourceData& source) {
  std::map<std::string, LabelSet> pads;
  for (const Pin& pin : source.pins) {
    pads[normalize_pin_name(pin.name)].insert(pin_number_key(pin.number));
  }
  return pads;
}

// Removes `prefix` from the front of `text`; false when `text` does not start with it.
bool consume(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

PinConflicts::PinConflicts(std::string_view axis, const SourceRefs& sources)
    : by_name_(axis == axis_name::kPinToPadMap) {
  for (const SourceData* source : sources) {
    if (!has_named_pins(*source)) continue;
    if (by_name_) {
      named_.push_back({source, {}, pads_by_name(*source)});
    } else {
      named_.push_back({source, pin_name_map(*source), {}});
    }
  }
  if (by_name_) return;
  for (std::size_t i = 0; i < named_.size(); ++i) {
    for (std::size_t j = i + 1; j < named_.size(); ++j) {
      moves_.emplace(std::make_pair(i, j), NameMoves(named_[i].names, named_[j].names));
    }
  }
}

bool PinConflicts::holds_pin(const Named& named, const std::string& pin) const {
  return by_name_ ? named.pads_of.contains(pin) : named.names.contains(pin);
}

// The conflicts read "pin {pin}: ..." or "pin {pin} present in ...". A pin may itself hold
// these separators, so every place where one stands is tried against the pins held.
std::optional<std::string> PinConflicts::pin_of(std::string_view conflict) const {
  if (!consume(conflict, kPinPrefix)) return std::nullopt;
  for (std::size_t at = 0; at < conflict.size(); ++at) {
    const std::string_view rest = conflict.substr(at);
    if (!rest.starts_with(kNameSeparator) && (by_name_ || !rest.starts_with(kPresentIn))) continue;
    std::string pin(conflict.substr(0, at));
    for (const Named& named : named_) {
      if (holds_pin(named, pin)) return pin;
    }
  }
  return std::nullopt;
}

std::vector<std::string> PinConflicts::source_names() const {
  std::vector<std::string> names;
  for (const Named& named : named_) names.push_back(named.source->name);
  return names;
}

std::optional<std::string> PinConflicts::name_at(std::size_t i, const std::string& key) const {
  const auto found = named_[i].names.find(key);
  if (found == named_[i].names.end()) return std::nullopt;
  return found->second;
}

bool PinConflicts::names_alike(std::size_t i, std::size_t j, const std::string& key,
                               const std::string& a, const std::string& b) const {
  if (a == b) return true;
  // The judgement is symmetric: with the maps swapped, the names swap too.
  if (i < j) return benign_at(moves_.at({i, j}), key, a, b);
  return benign_at(moves_.at({j, i}), key, b, a);
}

bool PinConflicts::share(std::size_t i, std::size_t j, const std::string& pin) const {
  if (by_name_) {
    const auto& pads_i = named_[i].pads_of;
    const auto& pads_j = named_[j].pads_of;
    const auto found_i = pads_i.find(pin);
    const auto found_j = pads_j.find(pin);
    if (found_i == pads_i.end() || found_j == pads_j.end()) {
      return found_i == pads_i.end() && found_j == pads_j.end();
    }
    return found_i->second == found_j->second;
  }
  const auto a = name_at(i, pin);
  const auto b = name_at(j, pin);
  if (!a || !b) return !a && !b;
  return names_alike(i, j, pin, *a, *b);
}

std::optional<std::size_t> PinConflicts::index_of(std::string_view name) const {
  for (std::size_t i = 0; i < named_.size(); ++i) {
    if (named_[i].source->name == name) return i;
  }
  return std::nullopt;
}

// "pin {key}: {A}={a} but {B}={b}", with a and b read from the sources themselves.
bool PinConflicts::is_benign(std::string_view conflict) const {
  if (by_name_) return false;
  const auto key = pin_of(conflict);
  if (!key) return false;
  std::string_view rest = conflict.substr(kPinPrefix.size() + key->size());
  if (!consume(rest, kNameSeparator)) return false;
  const auto first = index_of(rest.substr(0, rest.find('=')));
  const auto a = first ? name_at(*first, *key) : std::nullopt;
  if (!a || !consume(rest, named_[*first].source->name + "=" + *a) || !consume(rest, kBut)) {
    return false;
  }
  const auto second = index_of(rest.substr(0, rest.find('=')));
  const auto b = second ? name_at(*second, *key) : std::nullopt;
  if (!b || rest != named_[*second].source->name + "=" + *b) return false;
  return *first != *second && *a != *b && names_alike(*first, *second, *key, *a, *b);
}

}  // namespace tessan
