#include "compare/pin_maps.hpp"

#include <algorithm>

#include "compare/normalize.hpp"

namespace tessan {
namespace {

bool is_blank(std::string_view label) {
  return label.find_first_not_of(" \t\n\r\f\v") == std::string_view::npos;
}

}  // namespace

PinNameMap pin_name_map(const SourceData& source) {
  PinNameMap map;
  for (const Pin& pin : source.pins) {
    map.insert_or_assign(pin_number_key(pin.number), normalize_pin_name(pin.name));
  }
  return map;
}

PinPadMap pin_pad_map(const SourceData& source) {
  PinPadMap map;
  for (const Pin& pin : source.pins) {
    map.insert_or_assign(normalize_pin_name(pin.name), pin_number_key(pin.number));
  }
  return map;
}

LabelSet pad_label_set(const SourceData& source) {
  LabelSet labels;
  for (const std::string& pad : source.pads) labels.insert(pin_number_key(pad));
  return labels;
}

LabelSet electrical_pad_set(const SourceData& source) {
  LabelSet labels;
  for (const std::string& pad : source.pads) {
    if (!is_blank(pad)) labels.insert(fold_label(pin_number_key(pad)));
  }
  return labels;
}

std::string folded_pin_number(const Pin& pin) {
  return fold_label(pin_number_key(pin.number));
}

PinNameMap folded_pin_name_map(const SourceData& source, const LabelSet& dropped) {
  PinNameMap map;
  for (const Pin& pin : source.pins) {
    std::string key = folded_pin_number(pin);
    if (!dropped.contains(key)) map.insert_or_assign(std::move(key), normalize_pin_name(pin.name));
  }
  return map;
}

bool same_keys(const PinNameMap& a, const PinNameMap& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const auto& x, const auto& y) { return x.first == y.first; });
}

}  // namespace tessan
