#include "compare/exposed_pad.hpp"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "compare/normalize.hpp"
#include "compare/pins_explained.hpp"

namespace tessan {
namespace {

std::vector<std::string> minus(const LabelSet& a, const LabelSet& b) {
  std::vector<std::string> difference;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(difference));
  return difference;
}

// The source puts a ground-class or exposed-pad-named pin on the pad.
bool carries_ground_pin(const SourceData& source, const std::string& label) {
  const std::vector<const Pin*> pins = pins_on(source, label);
  return std::any_of(pins.begin(), pins.end(), [](const Pin* pin) {
    return is_ground_or_exposed_name(normalize_pin_name(pin->name));
  });
}

// A label that may be the exposed pad relabelled: it carries a ground pin, and a number
// must be the source's highest (a ground pin moved to pad 0 is no exposed pad).
bool grounded_exposed_label(const PaddedSource& p, const std::string& label) {
  return carries_ground_pin(*p.source, label) &&
         (!is_decimal_label(label) || is_highest_decimal(p.electrical, label));
}

// Adds to `exposed` the pad that tells `here` apart from `reference`; false when more than
// one pad, or a pad that cannot be the exposed pad, does.
bool add_exposed_difference(const PadEvidence& evidence, const PaddedSource& reference,
                            const PaddedSource& here, LabelSet& exposed) {
  const std::vector<std::string> only_reference = minus(reference.electrical, here.electrical);
  const std::vector<std::string> only_here = minus(here.electrical, reference.electrical);
  if (only_reference.size() > 1 || only_here.size() > 1) return false;
  if (!only_reference.empty() && !only_here.empty()) {
    const std::string& x = only_reference.front();
    const std::string& y = only_here.front();
    const bool named = is_exposed_pad_name(x) || is_exposed_pad_name(y);
    const bool grounded = grounded_exposed_label(reference, x) && grounded_exposed_label(here, y);
    if (!named && !grounded) return false;
    exposed.insert({x, y});
    return true;
  }
  for (const auto* single : {&only_reference, &only_here}) {
    if (single->empty()) continue;
    const std::string& x = single->front();
    if (!is_exposed_pad_name(x) && !is_highest_decimal(evidence.all_electrical, x)) return false;
    exposed.insert(x);
  }
  return true;
}

bool is_ground_like(const std::string& name, const std::set<std::string>& names_off_pad) {
  return !name.empty() && (is_ground_or_exposed_name(name) || names_off_pad.contains(name));
}

// Every pin on an exposed pad is named as the pad, as ground, or as a pin elsewhere.
bool pins_on_pads_are_ground_like(const SourceRefs& sources, const LabelSet& exposed) {
  if (exposed.empty()) return true;
  return std::all_of(sources.begin(), sources.end(), [&](const SourceData* source) {
    std::set<std::string> names_off_pad;
    for (const Pin& pin : source->pins) {
      if (!exposed.contains(folded_pin_number(pin)))
        names_off_pad.insert(normalize_pin_name(pin.name));
    }
    return std::all_of(source->pins.begin(), source->pins.end(), [&](const Pin& pin) {
      return !exposed.contains(folded_pin_number(pin)) ||
             is_ground_like(normalize_pin_name(pin.name), names_off_pad);
    });
  });
}

// A label that some source draws several times is the exposed pad, cut into segments, only
// when the geometry says so, or, without geometry, when every pin on it is ground-like, or no
// pin lands on it and it is named or numbered as an exposed pad.
bool is_exposed_label(const PadEvidence& evidence, const SourceRefs& sources,
                      const std::string& label, const LabelPadLookup& label_pads) {
  bool exposed_by_geometry = false;
  for (const PaddedSource& p : evidence.padded) {
    if (!p.electrical.contains(label)) continue;
    const LabelPads pads = label_pads(*p.source, label);
    if (pads == LabelPads::Other) return false;
    exposed_by_geometry = exposed_by_geometry || pads == LabelPads::ViaPasteHoleOrEp;
  }
  if (exposed_by_geometry) return true;
  const bool pinned = std::any_of(sources.begin(), sources.end(), [&](const SourceData* source) {
    return !pins_on(*source, label).empty();
  });
  if (pinned) return pins_on_pads_are_ground_like(sources, {label});
  return is_exposed_pad_name(label) || is_highest_decimal(evidence.all_electrical, label);
}

// The exposed pad's labels: the differing pads, and every pad that a source draws twice or
// as numbered segments (49, 49 or 49_1, 49_2).
LabelSet marked_labels(const PadEvidence& evidence, LabelSet exposed) {
  for (const PaddedSource& p : evidence.padded) {
    std::map<std::string, std::size_t> times;
    for (const std::string& pad : p.source->pads) {
      const std::string label = pin_number_key(pad);
      const std::string folded = fold_label(label);
      if (!p.electrical.contains(folded)) continue;  // blank
      if (folded != label || ++times[folded] > 1) exposed.insert(folded);
    }
  }
  return exposed;
}

bool meets(const LabelSet& a, const LabelSet& b) {
  return std::any_of(a.begin(), a.end(),
                     [&](const std::string& label) { return b.contains(label); });
}

bool has_blank_pad(const SourceData& source) {
  return std::any_of(source.pads.begin(), source.pads.end(), [](const std::string& pad) {
    return pad.find_first_not_of(" \t\n\r\f\v") == std::string::npos;
  });
}

ExposedPadVariant exposed_pad_lists(const PadEvidence& evidence, const LabelSet& marked) {
  ExposedPadVariant variant;
  for (const PaddedSource& p : evidence.padded) {
    const bool with = marked.empty() ? has_blank_pad(*p.source) : meets(marked, p.electrical);
    (with ? variant.sources_with_ep : variant.sources_without_ep).push_back(p.source->name);
  }
  return variant;
}

}  // namespace

std::optional<ExposedPadVariant> exposed_pad_variant(const PadEvidence& evidence,
                                                     const SourceRefs& sources,
                                                     const LabelPadLookup& label_pads) {
  if (evidence.padded.empty()) return std::nullopt;
  LabelSet exposed;
  for (std::size_t i = 1; i < evidence.padded.size(); ++i) {
    if (!add_exposed_difference(evidence, evidence.padded.front(), evidence.padded[i], exposed)) {
      return std::nullopt;
    }
  }
  if (!pins_on_pads_are_ground_like(sources, exposed) || !pins_explained(sources, exposed)) {
    return std::nullopt;
  }
  const LabelSet marked = marked_labels(evidence, exposed);
  for (const std::string& label : marked) {
    if (!exposed.contains(label) && !is_exposed_label(evidence, sources, label, label_pads)) {
      return std::nullopt;
    }
  }
  return exposed_pad_lists(evidence, marked);
}

bool pins_on_labels_are_ground_like(const SourceRefs& sources, const LabelSet& labels) {
  return pins_on_pads_are_ground_like(sources, labels);
}

}  // namespace tessan
