#include "compare/no_connect_pins.hpp"

#include <algorithm>
#include <set>

#include "compare/normalize.hpp"

namespace tessan {
namespace {

struct DrawnKey {
  std::vector<const SourceData*> holders;
  bool all_no_connect = true;
  std::string name;  // the first holder's name for the key
};

std::map<std::string, DrawnKey> drawn_keys(const SourceRefs& with_pins) {
  std::map<std::string, DrawnKey> keys;
  for (const SourceData* source : with_pins) {
    const PinNameMap map = pin_name_map(*source);
    for (const auto& [key, name] : map) {
      DrawnKey& drawn = keys[key];
      if (drawn.holders.empty()) drawn.name = name;
      drawn.holders.push_back(source);
      drawn.all_no_connect = drawn.all_no_connect && is_no_connect_name(name);
    }
  }
  return keys;
}

const SourceData* first_lacking(const SourceRefs& with_pins, const DrawnKey& drawn) {
  for (const SourceData* source : with_pins) {
    if (std::find(drawn.holders.begin(), drawn.holders.end(), source) == drawn.holders.end()) {
      return source;
    }
  }
  return nullptr;
}

bool counts_agree_without(const SourceRefs& with_pins, const std::set<std::string>& left_out) {
  std::set<std::size_t> counts;
  for (const SourceData* source : with_pins) {
    counts.insert(static_cast<std::size_t>(std::count_if(
        source->pins.begin(), source->pins.end(),
        [&](const Pin& pin) { return !left_out.contains(pin_number_key(pin.number)); })));
  }
  return counts.size() <= 1;
}

}  // namespace

PinPresence pin_presence(const SourceRefs& sources) {
  SourceRefs with_pins;
  std::copy_if(sources.begin(), sources.end(), std::back_inserter(with_pins),
               [](const SourceData* s) { return has_pins(*s); });
  PinPresence presence;
  std::set<std::string> left_out;
  for (const auto& [key, drawn] : drawn_keys(with_pins)) {
    if (drawn.holders.size() == with_pins.size()) continue;
    if (!drawn.all_no_connect) {
      presence.only_no_connects_missing = false;
      continue;
    }
    presence.no_connects.push_back(
        {key, drawn.holders.front()->name, drawn.name, first_lacking(with_pins, drawn)->name});
    left_out.insert(key);
  }
  presence.counts_agree_without = counts_agree_without(with_pins, left_out);
  return presence;
}

LabelSet folded_no_connect_keys(const PinPresence& presence) {
  LabelSet keys;
  for (const UndrawnNoConnect& pin : presence.no_connects) keys.insert(fold_label(pin.key));
  return keys;
}

}  // namespace tessan
