#include "compare/source_set.hpp"

#include <algorithm>

namespace tessan {

SourceRefs participating_sources(const std::vector<SourceData>& sources) {
  SourceRefs refs;
  for (const SourceData& source : sources) {
    if (has_pads(source) || has_pins(source) || source.package) refs.push_back(&source);
  }
  return refs;
}

std::size_t stub_pin_count(const SourceData& source) {
  return static_cast<std::size_t>(std::count_if(source.pins.begin(), source.pins.end(),
                                                [](const Pin& p) { return p.is_stub; }));
}

bool is_stub_source(const SourceData& source) {
  return stub_pin_count(source) > source.pins.size() / 2;
}

bool has_pads(const SourceData& source) {
  return !source.pads.empty();
}
bool has_pins(const SourceData& source) {
  return !source.pins.empty();
}

bool has_named_pins(const SourceData& source) {
  return has_pins(source) && !is_stub_source(source);
}

}  // namespace tessan
