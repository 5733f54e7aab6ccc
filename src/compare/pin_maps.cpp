#include "compare/pin_maps.hpp"

#include <algorithm>

#include "compare/normalize.hpp"

namespace tessan {
namespace {

bool is_blank(std::string_view label) {
  return label.find_first_not_of(" \t\n\r\f\v") == std::string_view::npos;
}

bool is_decimal(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Numeric order between decimal numbers, byte order otherwise.
bool pin_number_less(const std::string& a, const std::string& b) {
  if (!is_decimal(a) || !is_decimal(b)) return a < b;
  const std::string_view x =
      std::string_view(a).substr(std::min(a.find_first_not_of('0'), a.size()));
  const std::string_view y =
      std::string_view(b).substr(std::min(b.find_first_not_of('0'), b.size()));
  return x.size() != y.size() ? x.size() < y.size() : (x != y ? x < y : a < b);
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
    map[normalize_pin_name(pin.name)].push_back(pin_number_key(pin.number));
  }
  for (auto& [name, numbers] : map) {
    std::sort(numbers.begin(), numbers.end(), pin_number_less);
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
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
