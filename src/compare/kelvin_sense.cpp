#include "compare/kelvin_sense.hpp"

#include <algorithm>
#include <set>

#include "compare/normalize.hpp"
#include "compare/vocabulary.hpp"

namespace tessan {
namespace {

std::size_t kelvin_name_count(const SourceData& source) {
  std::set<std::string> forms;
  for (const Pin& pin : source.pins) forms.insert(kelvin_name_form(pin.name));
  const auto& names = vocabulary::kKelvinNames;
  return static_cast<std::size_t>(
      std::count_if(names.begin(), names.end(),
                    [&](std::string_view n) { return forms.contains(std::string(n)); }));
}

bool has_terminal_count(const SourceData& source, std::size_t terminals) {
  return source.pads.size() == terminals || source.pins.size() == terminals;
}

}  // namespace

std::optional<KelvinSenseRepresentation> kelvin_sense_variant(const SourceRefs& sources) {
  KelvinSenseRepresentation variant;
  for (const SourceData* source : sources) {
    if (!has_pins(*source)) continue;
    if (has_terminal_count(*source, 4) && kelvin_name_count(*source) > 2) {
      if (variant.sources_with_kelvin.empty()) {
        for (const Pin& pin : source->pins) variant.kelvin_pin_names.push_back(pin.name);
      }
      variant.sources_with_kelvin.push_back(source->name);
    } else if (has_terminal_count(*source, 2)) {
      variant.sources_without_kelvin.push_back(source->name);
    }
  }
  if (variant.sources_with_kelvin.empty() || variant.sources_without_kelvin.empty()) {
    return std::nullopt;
  }
  return variant;
}

}  // namespace tessan
