#include "compare/pinless_extra_pads.hpp"

#include <algorithm>
#include <iterator>
#include <set>

#include "compare/normalize.hpp"
#include "compare/pins_explained.hpp"

namespace tessan {
namespace {

LabelSet shared_labels(const PadEvidence& evidence) {
  LabelSet shared = evidence.padded.front().electrical;
  for (const PaddedSource& p : evidence.padded) {
    LabelSet both;
    std::set_intersection(shared.begin(), shared.end(), p.electrical.begin(), p.electrical.end(),
                          std::inserter(both, both.end()));
    shared = std::move(both);
  }
  return shared;
}

bool is_power_name(std::string_view name) {
  return power_alias(name).has_value() || is_ground_or_exposed_name(name);
}

// No pin on the label, or only ground or supply names that the source puts on other pads too.
bool carries_no_pin(const SourceData& source, const std::string& label) {
  std::set<std::string> names_elsewhere;
  for (const Pin& pin : source.pins) {
    if (folded_pin_number(pin) != label) names_elsewhere.insert(normalize_pin_name(pin.name));
  }
  const std::vector<const Pin*> pins = pins_on(source, label);
  return std::all_of(pins.begin(), pins.end(), [&](const Pin* pin) {
    const std::string name = normalize_pin_name(pin->name);
    return is_power_name(name) && names_elsewhere.contains(name);
  });
}

// A symbol, where the source has one, puts a pin on every shared label.
bool pins_every_shared_label(const SourceData& source, const LabelSet& shared) {
  if (!has_pins(source)) return true;
  LabelSet pinned;
  for (const Pin& pin : source.pins) pinned.insert(folded_pin_number(pin));
  return std::includes(pinned.begin(), pinned.end(), shared.begin(), shared.end());
}

bool is_pinless_extra(const PaddedSource& holder, const std::string& label, const LabelSet& shared,
                      const LabelPadLookup& label_pads) {
  return label_pads(*holder.source, label) == LabelPads::ViaPasteHoleOrEp &&
         carries_no_pin(*holder.source, label) && pins_every_shared_label(*holder.source, shared);
}

}  // namespace

std::optional<ModuleExtraPads> pinless_extra_pads(const PadEvidence& evidence,
                                                  const SourceRefs& sources,
                                                  const LabelPadLookup& label_pads) {
  const LabelSet shared = shared_labels(evidence);
  LabelSet extras;
  std::set_difference(evidence.all_electrical.begin(), evidence.all_electrical.end(),
                      shared.begin(), shared.end(), std::inserter(extras, extras.end()));
  if (extras.empty()) return std::nullopt;
  for (const std::string& label : extras) {
    for (const PaddedSource& p : evidence.padded) {
      if (p.electrical.contains(label) && !is_pinless_extra(p, label, shared, label_pads)) {
        return std::nullopt;
      }
    }
  }
  if (!pins_explained(sources, extras)) return std::nullopt;
  return ModuleExtraPads{evidence.with_most, evidence.with_fewest,
                         static_cast<std::uint32_t>(evidence.most - evidence.fewest)};
}

}  // namespace tessan
