#include "compare/pin_maps.hpp"

#include "compare/normalize.hpp"

namespace tessan {

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

}  // namespace tessan
