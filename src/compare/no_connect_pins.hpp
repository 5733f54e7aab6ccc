// No-connect and reserved pins that only some symbols draw.
#pragma once

#include <string>
#include <vector>

#include "compare/pin_maps.hpp"
#include "compare/source_set.hpp"

namespace tessan {

// A pin number that some symbols leave out while every symbol that draws it names it as a
// no-connect or reserved pin (`is_no_connect_name`). Every source with pins takes part, stub
// symbols included.
struct UndrawnNoConnect {
  std::string key;     // `pin_number_key`
  std::string holder;  // the first source that draws it
  std::string name;    // its normalized name there
  std::string lacker;  // the first source that leaves it out
};

struct PinPresence {
  std::vector<UndrawnNoConnect> no_connects;  // in key order
  bool only_no_connects_missing = true;       // every pin some symbols lack is one of `no_connects`
  bool counts_agree_without = true;           // pin counts agree once they are left out
};

PinPresence pin_presence(const SourceRefs& sources);

// The keys of `no_connects`, folded (`fold_label`) as the pad variants key pins.
LabelSet folded_no_connect_keys(const PinPresence& presence);

}  // namespace tessan
