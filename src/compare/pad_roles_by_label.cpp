#include "compare/pad_roles_by_label.hpp"

#include <algorithm>

#include "compare/naming_convention.hpp"
#include "compare/normalize.hpp"

namespace tessan {

bool LabelledFootprint::all_pads(const std::string& label,
                                 std::initializer_list<PadRole> roles) const {
  const auto found = pads_by_label.find(label);
  if (found == pads_by_label.end()) return false;
  return std::all_of(found->second.begin(), found->second.end(), [&](std::size_t pad) {
    return std::find(roles.begin(), roles.end(), geometry->roles[pad]) != roles.end();
  });
}

bool LabelledFootprint::any_pad(const std::string& label, PadRole role) const {
  return count(label, role) > 0;
}

std::size_t LabelledFootprint::count(const std::string& label, PadRole role) const {
  const auto found = pads_by_label.find(label);
  if (found == pads_by_label.end()) return 0;
  return static_cast<std::size_t>(
      std::count_if(found->second.begin(), found->second.end(),
                    [&](std::size_t pad) { return geometry->roles[pad] == role; }));
}

bool LabelledFootprint::has_role(PadRole role) const {
  return std::find(geometry->roles.begin(), geometry->roles.end(), role) != geometry->roles.end();
}

std::vector<LabelledFootprint> usable_footprints(const GeometryAnalysis& geometry) {
  std::vector<LabelledFootprint> usable;
  for (const FootprintGeometry& footprint : geometry.footprints) {
    if (!footprint.usable) continue;
    LabelledFootprint labelled{&footprint, {}};
    for (std::size_t i = 0; i < footprint.labels.size(); ++i) {
      if (!footprint.labels[i].empty()) labelled.pads_by_label[footprint.labels[i]].push_back(i);
    }
    usable.push_back(std::move(labelled));
  }
  return usable;
}

const LabelledFootprint* footprint_of(const std::vector<LabelledFootprint>& footprints,
                                      const SourceData& source) {
  for (const LabelledFootprint& footprint : footprints) {
    if (&footprint.source() == &source) return &footprint;
  }
  return nullptr;
}

LabelSet non_electrical_labels(const LabelledFootprint& footprint) {
  LabelSet labels;
  for (const auto& [label, pads] : footprint.pads_by_label) {
    if (footprint.all_pads(label, {PadRole::Via, PadRole::Paste, PadRole::Hole})) {
      labels.insert(label);
    }
  }
  return labels;
}

std::vector<std::string> pin_names_on(const SourceData& source, const std::string& label) {
  std::vector<std::string> names;
  for (const Pin& pin : source.pins) {
    if (folded_pin_number(pin) == label) names.push_back(normalize_pin_name(pin.name));
  }
  return names;
}

bool is_ground_or_exposed_pad_name(const std::string& normalized_name) {
  return is_exposed_pad_name(normalized_name) || power_alias(normalized_name) == "GND";
}

bool same_pin(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  const auto all_ground = [](const std::vector<std::string>& names) {
    return std::all_of(names.begin(), names.end(), is_ground_or_exposed_pad_name);
  };
  if (all_ground(a) && all_ground(b)) return true;
  if (a.empty() || b.empty()) return false;
  return std::all_of(a.begin(), a.end(), [&](const std::string& x) {
    return std::all_of(b.begin(), b.end(),
                       [&](const std::string& y) { return x == y || is_benign_rename(x, y); });
  });
}

}  // namespace tessan
