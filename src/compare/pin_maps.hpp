// Maps built from a source's pins, as the pin axes and the naming rules compare them.
#pragma once

#include <map>
#include <set>
#include <string>

#include "compare/source_data.hpp"

namespace tessan {

// Pin number key -> normalized pin name; of two pins with one key, the later wins.
using PinNameMap = std::map<std::string, std::string>;
// Normalized pin name -> pin number key; of two pins with one name, the later wins.
using PinPadMap = std::map<std::string, std::string>;
// Pad labels, ordered byte-wise.
using LabelSet = std::set<std::string>;

PinNameMap pin_name_map(const SourceData& source);
PinPadMap pin_pad_map(const SourceData& source);

// The distinct pad labels of a source after `pin_number_key`.
LabelSet pad_label_set(const SourceData& source);

}  // namespace tessan
