// The pad roles of the footprint geometry, read per folded label, as the pad variant step
// uses them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "compare/geometry/geometry_analysis.hpp"
#include "compare/pin_maps.hpp"

namespace tessan {

// One usable footprint: its pads grouped by folded label (blank labels left out).
struct LabelledFootprint {
  const FootprintGeometry* geometry;
  std::map<std::string, std::vector<std::size_t>> pads_by_label;

  const SourceData& source() const { return *geometry->source; }
  bool holds(const std::string& label) const { return pads_by_label.contains(label); }
  // True when every pad of `label` has one of `roles`; false for a label it does not hold.
  bool all_pads(const std::string& label, std::initializer_list<PadRole> roles) const;
  bool any_pad(const std::string& label, PadRole role) const;
  std::size_t count(const std::string& label, PadRole role) const;
  bool has_role(PadRole role) const;
};

std::vector<LabelledFootprint> usable_footprints(const GeometryAnalysis& geometry);

const LabelledFootprint* footprint_of(const std::vector<LabelledFootprint>& footprints,
                                      const SourceData& source);

// Labels whose pads are all vias, paste or holes: not electrical pads.
LabelSet non_electrical_labels(const LabelledFootprint& footprint);

// The normalized names of the pins of `source` on pad `label`.
std::vector<std::string> pin_names_on(const SourceData& source, const std::string& label);

// The pins on two pads are one pin: the same name under the naming tests, or both of the
// ground or exposed-pad class. A side without pins matches only such a class.
bool same_pin(const std::vector<std::string>& a, const std::vector<std::string>& b);

bool is_ground_or_exposed_pad_name(const std::string& normalized_name);

}  // namespace tessan
