#include "compare/mechanical_pads.hpp"

#include <algorithm>
#include <iterator>

#include "compare/normalize.hpp"
#include "compare/pins_explained.hpp"
#include "compare/vocabulary.hpp"

namespace tessan {
namespace {

bool digits_only(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool is_mechanical_pin_name(std::string_view name) {
  const std::size_t end = name.find_last_not_of("0123456789");
  const std::string_view word = end == std::string_view::npos ? name : name.substr(0, end + 1);
  const auto& names = vocabulary::kMechanicalPinNames;
  return std::find(names.begin(), names.end(), word) != names.end();
}

// Ground-class names that the source puts on a pad with an ordinary label.
std::set<std::string> grounds_on_ordinary_pads(const SourceData& source) {
  std::set<std::string> names;
  for (const Pin& pin : source.pins) {
    const std::string name = normalize_pin_name(pin.name);
    if (!is_mechanical_label(folded_pin_number(pin)) && is_ground_or_exposed_name(name)) {
      names.insert(name);
    }
  }
  return names;
}

// Every pin that the source puts on the label is a shield, a mount, or a ground found on an
// ordinary pad too.
bool pins_are_mechanical(const SourceData& source, const std::string& label) {
  const std::set<std::string> grounds = grounds_on_ordinary_pads(source);
  const std::vector<const Pin*> pins = pins_on(source, label);
  return std::all_of(pins.begin(), pins.end(), [&](const Pin* pin) {
    const std::string name = normalize_pin_name(pin->name);
    return is_mechanical_pin_name(name) || grounds.contains(name);
  });
}

// Every pad of the label is a non-plated hole without copper (known from the geometry).
bool is_locating_peg(const SourceData& source, const std::string& label) {
  if (!source.pad_geometry) return false;
  bool any = false;
  for (std::size_t i = 0; i < source.pads.size(); ++i) {
    if (fold_label(pin_number_key(source.pads[i])) != label) continue;
    const PadGeometry& pad = (*source.pad_geometry)[i];
    if (pad.kind != PadKind::NonPlatedHole || pad.has_copper) return false;
    any = true;
  }
  return any;
}

// Every source's pins on a mechanical label count, whether or not its footprint holds the pad.
LabelSet mechanical_labels(const PadEvidence& evidence, const SourceRefs& sources) {
  LabelSet labels;
  for (const std::string& label : evidence.all_electrical) {
    if (!is_mechanical_label(label)) continue;
    const bool mechanical = std::all_of(sources.begin(), sources.end(), [&](const SourceData* s) {
      return pins_are_mechanical(*s, label);
    });
    if (mechanical) labels.insert(label);
  }
  return labels;
}

LabelSet without(const LabelSet& labels, const LabelSet& left_out) {
  LabelSet rest;
  std::set_difference(labels.begin(), labels.end(), left_out.begin(), left_out.end(),
                      std::inserter(rest, rest.end()));
  return rest;
}

bool has_plated_mechanical_pad(const PaddedSource& p, const LabelSet& mechanical) {
  return std::any_of(mechanical.begin(), mechanical.end(), [&](const std::string& label) {
    return p.electrical.contains(label) && !is_locating_peg(*p.source, label);
  });
}

}  // namespace

bool is_mechanical_label(std::string_view label) {
  if (label == vocabulary::kUnnumberedPadLabel) return true;
  if (label.starts_with(vocabulary::kEagleAutomaticPadPrefix)) {
    const std::string_view number = label.substr(vocabulary::kEagleAutomaticPadPrefix.size());
    return !number.empty() && digits_only(number);
  }
  const std::size_t end = label.find_last_not_of("0123456789");
  if (end == std::string_view::npos) return false;
  const std::string_view word = label.substr(0, end + 1);
  const auto& labels = vocabulary::kMechanicalLabels;
  return std::find(labels.begin(), labels.end(), word) != labels.end();
}

std::optional<ModuleExtraPads> mechanical_pads_variant(const PadEvidence& evidence,
                                                       const SourceRefs& sources) {
  const LabelSet mechanical = mechanical_labels(evidence, sources);
  if (mechanical.empty()) return std::nullopt;
  const LabelSet ordinary = without(evidence.padded.front().electrical, mechanical);
  const bool ordinary_agree = std::all_of(
      evidence.padded.begin(), evidence.padded.end(),
      [&](const PaddedSource& p) { return without(p.electrical, mechanical) == ordinary; });
  const auto plated = std::count_if(
      evidence.padded.begin(), evidence.padded.end(),
      [&](const PaddedSource& p) { return has_plated_mechanical_pad(p, mechanical); });
  const bool all_or_none =
      plated == 0 || static_cast<std::size_t>(plated) == evidence.padded.size();
  if (!ordinary_agree || !all_or_none || !pins_explained(sources, mechanical)) return std::nullopt;
  return ModuleExtraPads{evidence.with_most, evidence.with_fewest,
                         static_cast<std::uint32_t>(evidence.most - evidence.fewest)};
}

}  // namespace tessan
