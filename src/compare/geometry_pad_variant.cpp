#include "compare/geometry_pad_variant.hpp"

#include <algorithm>
#include <iterator>

#include "compare/exposed_pad.hpp"
#include "compare/extra_label_judgement.hpp"
#include "compare/geometry_label_pads.hpp"
#include "compare/module_extra_pads.hpp"
#include "compare/pad_evidence.hpp"
#include "compare/pad_roles_by_label.hpp"

namespace tessan {
namespace {

// Copies of the sources without the pins on some pads, for the pin checks that set those
// pads aside.
class SourcesWithout {
 public:
  SourcesWithout(const SourceRefs& sources, const LabelSet& dropped) {
    copies_.reserve(sources.size());
    for (const SourceData* source : sources) {
      SourceData copy = *source;
      std::erase_if(copy.pins,
                    [&](const Pin& pin) { return dropped.contains(folded_pin_number(pin)); });
      copies_.push_back(std::move(copy));
    }
    for (const SourceData& copy : copies_) refs_.push_back(&copy);
  }
  const SourceRefs& refs() const { return refs_; }

 private:
  std::vector<SourceData> copies_;
  SourceRefs refs_;
};

void recount(PadEvidence& evidence) {
  evidence.all_electrical.clear();
  for (const PaddedSource& p : evidence.padded) {
    evidence.all_electrical.insert(p.electrical.begin(), p.electrical.end());
  }
}

// The pad evidence with each usable footprint's vias, paste and holes left out.
PadEvidence electrical_evidence(const SourceRefs& sources,
                                const std::vector<LabelledFootprint>& footprints,
                                LabelSet& non_electrical) {
  PadEvidence evidence = gather_pad_evidence(sources);
  for (PaddedSource& p : evidence.padded) {
    const LabelledFootprint* footprint = footprint_of(footprints, *p.source);
    if (footprint == nullptr) continue;
    for (const std::string& label : non_electrical_labels(*footprint)) {
      p.electrical.erase(label);
      non_electrical.insert(label);
    }
  }
  recount(evidence);
  return evidence;
}

LabelSet shared_labels(const PadEvidence& evidence) {
  LabelSet shared = evidence.padded.front().electrical;
  for (const PaddedSource& p : evidence.padded) {
    std::erase_if(shared, [&](const std::string& label) { return !p.electrical.contains(label); });
  }
  return shared;
}

// Every exposed pad carries an exposed-pad label: its pins in its own source are exposed-pad
// or ground names, and no other footprint gives the label to a ring pad.
bool exposed_pads_labelled_as_such(const std::vector<LabelledFootprint>& footprints) {
  for (const LabelledFootprint& footprint : footprints) {
    for (const auto& [label, pads] : footprint.pads_by_label) {
      if (!footprint.any_pad(label, PadRole::Ep)) continue;
      const std::vector<std::string> names = pin_names_on(footprint.source(), label);
      if (!std::all_of(names.begin(), names.end(), is_ground_or_exposed_pad_name)) return false;
      for (const LabelledFootprint& other : footprints) {
        if (&other != &footprint && other.any_pad(label, PadRole::Ring)) return false;
      }
    }
  }
  return true;
}

// Copies of a shared label count as exposed-pad segments only off the ring: every footprint
// draws the same number of ring pads with it.
bool ring_copies_agree(const std::vector<LabelledFootprint>& footprints, const LabelSet& shared,
                       const LabelSet& relabelled) {
  return std::all_of(shared.begin(), shared.end(), [&](const std::string& label) {
    if (relabelled.contains(label)) return true;
    return std::all_of(footprints.begin(), footprints.end(), [&](const LabelledFootprint& f) {
      return f.count(label, PadRole::Ring) == footprints.front().count(label, PadRole::Ring);
    });
  });
}

bool every_padded_source_has_geometry(const PadEvidence& evidence,
                                      const GeometryAnalysis& geometry) {
  return std::all_of(evidence.padded.begin(), evidence.padded.end(), [&](const PaddedSource& p) {
    return std::any_of(geometry.footprints.begin(), geometry.footprints.end(),
                       [&](const FootprintGeometry& f) { return f.source == p.source; });
  });
}

bool has_exposed_pad(const FootprintGeometry& footprint) {
  return std::find(footprint.roles.begin(), footprint.roles.end(), PadRole::Ep) !=
         footprint.roles.end();
}

ExposedPadVariant lists_from_roles(const PadEvidence& evidence, const GeometryAnalysis& geometry) {
  ExposedPadVariant variant;
  for (const PaddedSource& p : evidence.padded) {
    const bool with = std::any_of(
        geometry.footprints.begin(), geometry.footprints.end(),
        [&](const FootprintGeometry& f) { return f.source == p.source && has_exposed_pad(f); });
    (with ? variant.sources_with_ep : variant.sources_without_ep).push_back(p.source->name);
  }
  return variant;
}

ModuleExtraPads pinless_extras(const PadEvidence& evidence) {
  return ModuleExtraPads{evidence.with_most, evidence.with_fewest,
                         static_cast<std::uint32_t>(evidence.most - evidence.fewest)};
}

// Module extras hold no ring pad in any footprint.
bool extras_off_the_ring(const PadEvidence& evidence,
                         const std::vector<LabelledFootprint>& footprints) {
  const LabelSet shared = shared_labels(evidence);
  return std::all_of(footprints.begin(), footprints.end(), [&](const LabelledFootprint& f) {
    return std::none_of(f.pads_by_label.begin(), f.pads_by_label.end(), [&](const auto& entry) {
      return !shared.contains(entry.first) && f.any_pad(entry.first, PadRole::Ring);
    });
  });
}

// The label rules' lists, with every source added that holds an exposed pad judged by its
// position or draws one.
ExposedPadVariant lists_with_judged(const ExposedPadVariant& by_labels, const PadEvidence& held,
                                    const LabelSet& judged_exposed,
                                    const GeometryAnalysis& geometry) {
  const ExposedPadVariant by_roles = lists_from_roles(held, geometry);
  ExposedPadVariant variant;
  for (const PaddedSource& p : held.padded) {
    const auto listed = [&](const std::vector<std::string>& names) {
      return std::find(names.begin(), names.end(), p.source->name) != names.end();
    };
    const bool with = listed(by_labels.sources_with_ep) || listed(by_roles.sources_with_ep) ||
                      std::any_of(judged_exposed.begin(), judged_exposed.end(),
                                  [&](const std::string& l) { return p.electrical.contains(l); });
    (with ? variant.sources_with_ep : variant.sources_without_ep).push_back(p.source->name);
  }
  return variant;
}

std::optional<Variant> exposed_or_pinless(const PadEvidence& evidence, const PadEvidence& held,
                                          const LabelSet& judged_exposed, const SourceRefs& sources,
                                          const GeometryAnalysis& geometry,
                                          bool pad_counts_differ) {
  auto exposed = exposed_pad_variant(evidence, sources, geometry_label_pads(geometry));
  if (!exposed) return std::nullopt;
  if (!every_padded_source_has_geometry(evidence, geometry)) {
    return lists_with_judged(*exposed, held, judged_exposed, geometry);
  }
  const bool any_exposed =
      std::any_of(geometry.footprints.begin(), geometry.footprints.end(),
                  [](const FootprintGeometry& f) { return has_exposed_pad(f); });
  if (any_exposed) return lists_from_roles(evidence, geometry);
  if (pad_counts_differ && evidence.all_electrical == shared_labels(evidence)) {
    return pinless_extras(evidence);
  }
  return std::move(*exposed);
}

}  // namespace

std::optional<Variant> geometry_pad_variant(const SourceRefs& sources, bool pad_counts_differ,
                                            const GeometryAnalysis& geometry) {
  if (!geometry.numbering_conflicts.empty()) return std::nullopt;
  const std::vector<LabelledFootprint> footprints = usable_footprints(geometry);
  LabelSet non_electrical;
  PadEvidence evidence = electrical_evidence(sources, footprints, non_electrical);
  if (evidence.padded.size() < 2 || !pins_on_labels_are_ground_like(sources, non_electrical)) {
    return std::nullopt;
  }
  const ExtraLabelJudgement judged = judge_extra_labels(evidence, footprints, sources);
  if (!judged.accepted || !exposed_pads_labelled_as_such(footprints) ||
      !pins_on_labels_are_ground_like(sources, judged.exposed)) {
    return std::nullopt;
  }
  LabelSet set_aside = non_electrical;
  set_aside.insert(judged.set_aside.begin(), judged.set_aside.end());
  if (!ring_copies_agree(footprints, shared_labels(evidence), judged.set_aside))
    return std::nullopt;
  const SourcesWithout without(sources, set_aside);
  const PadEvidence held = evidence;
  for (PaddedSource& p : evidence.padded) {
    for (const std::string& label : judged.set_aside) p.electrical.erase(label);
  }
  recount(evidence);
  if (pad_counts_differ && evidence.most - evidence.fewest > 1) {
    if (auto extras = module_extra_pads(evidence, without.refs())) {
      if (extras_off_the_ring(evidence, footprints)) return std::move(*extras);
    }
  }
  return exposed_or_pinless(evidence, held, judged.exposed, without.refs(), geometry,
                            pad_counts_differ);
}

}  // namespace tessan
