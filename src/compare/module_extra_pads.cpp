#include "compare/module_extra_pads.hpp"

#include <algorithm>
#include <iterator>

#include "compare/normalize.hpp"
#include "compare/pins_explained.hpp"

namespace tessan {
namespace {

const PaddedSource* fewest_pad_module(const PadEvidence& evidence) {
  for (const PaddedSource& p : evidence.padded) {
    const SourceData& source = *p.source;
    if (source.pads.size() == evidence.fewest && source.package &&
        is_module_package(source.package->package_name)) {
      return &p;
    }
  }
  return nullptr;
}

bool contained_everywhere(const PadEvidence& evidence, const LabelSet& labels) {
  return std::all_of(evidence.padded.begin(), evidence.padded.end(), [&](const PaddedSource& p) {
    return std::includes(p.electrical.begin(), p.electrical.end(), labels.begin(), labels.end());
  });
}

// Every decimal extra is numbered above every decimal pad of the module.
bool numbered_past(const LabelSet& extras, const LabelSet& module_pads) {
  const std::string* highest = nullptr;
  for (const std::string& label : module_pads) {
    if (is_decimal_label(label) && (highest == nullptr || decimal_less(*highest, label))) {
      highest = &label;
    }
  }
  if (highest == nullptr) return true;
  return std::all_of(extras.begin(), extras.end(), [&](const std::string& label) {
    return !is_decimal_label(label) || decimal_less(*highest, label);
  });
}

bool any_pin_on(const SourceRefs& sources, const LabelSet& labels) {
  return std::any_of(sources.begin(), sources.end(), [&](const SourceData* source) {
    return std::any_of(source->pins.begin(), source->pins.end(),
                       [&](const Pin& pin) { return labels.contains(folded_pin_number(pin)); });
  });
}

}  // namespace

std::optional<ModuleExtraPads> module_extra_pads(const PadEvidence& evidence,
                                                 const SourceRefs& sources) {
  const PaddedSource* module = fewest_pad_module(evidence);
  if (module == nullptr) return std::nullopt;
  LabelSet extras;
  std::set_difference(evidence.all_electrical.begin(), evidence.all_electrical.end(),
                      module->electrical.begin(), module->electrical.end(),
                      std::inserter(extras, extras.end()));
  if (extras.empty() || !contained_everywhere(evidence, module->electrical) ||
      !numbered_past(extras, module->electrical) || any_pin_on(sources, extras) ||
      !pins_explained(sources, extras)) {
    return std::nullopt;
  }
  return ModuleExtraPads{evidence.with_most, evidence.with_fewest,
                         static_cast<std::uint32_t>(evidence.most - evidence.fewest)};
}

}  // namespace tessan
