// Maps built from a source's pins, as the pin axes and the naming rules compare them.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "compare/source_data.hpp"

namespace tessan {

// Pin number key -> normalized pin name; of two pins with one key, the later wins.
using PinNameMap = std::map<std::string, std::string>;
// Normalized pin name -> the number keys of every pin with that name, in pin-number order
// (numeric for decimal numbers), each once.
using PinPadMap = std::map<std::string, std::vector<std::string>>;
// Pad labels, ordered byte-wise.
using LabelSet = std::set<std::string>;

PinNameMap pin_name_map(const SourceData& source);
PinPadMap pin_pad_map(const SourceData& source);

// The distinct pad labels of a source after `pin_number_key`.
LabelSet pad_label_set(const SourceData& source);

// The electrical pads of a source: its labels after `pin_number_key` and `fold_label`, so that
// the segments 49_1, 49_2 of one pad count as 49. Blank labels (paste, vias) are left out.
LabelSet electrical_pad_set(const SourceData& source);

// A pin's number as the electrical pad it lands on: `fold_label` of `pin_number_key`.
std::string folded_pin_number(const Pin& pin);

// As `pin_name_map`, keyed by `folded_pin_number`, leaving out the keys in `dropped`.
PinNameMap folded_pin_name_map(const SourceData& source, const LabelSet& dropped);

// True when the two maps have the same keys.
bool same_keys(const PinNameMap& a, const PinNameMap& b);

}  // namespace tessan
