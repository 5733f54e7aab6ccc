#include "compare/pad_variants.hpp"

#include "compare/exposed_pad.hpp"
#include "compare/geometry_label_pads.hpp"
#include "compare/geometry_pad_variant.hpp"
#include "compare/mechanical_pads.hpp"
#include "compare/module_extra_pads.hpp"
#include "compare/pinless_extra_pads.hpp"

namespace tessan {
namespace {

// The one label rule that the geometry does not overrule: mechanical pads. (Extra pads that
// the roles call vias, paste, holes or an exposed pad the roles have judged already; an exposed
// pad labelled like a signal pin they refuse.)
std::optional<Variant> after_geometry(const SourceRefs& sources, const GeometryAnalysis& geometry) {
  if (!geometry.numbering_conflicts.empty()) return std::nullopt;
  const PadEvidence evidence = gather_pad_evidence(sources);
  if (evidence.padded.size() < 2) return std::nullopt;
  return mechanical_pads_variant(evidence, sources);
}

}  // namespace

std::optional<Variant> pad_variant(const SourceRefs& sources, bool pad_counts_differ,
                                   const GeometryAnalysis& geometry) {
  if (geometry_applies(geometry)) {
    if (auto by_roles = geometry_pad_variant(sources, pad_counts_differ, geometry)) {
      return by_roles;
    }
    return after_geometry(sources, geometry);
  }
  return label_pad_variant(sources, pad_counts_differ, geometry_label_pads(geometry));
}

std::optional<Variant> label_pad_variant(const SourceRefs& sources, bool pad_counts_differ,
                                         const LabelPadLookup& label_pads) {
  const PadEvidence evidence = gather_pad_evidence(sources);
  if (evidence.padded.size() < 2) return std::nullopt;
  if (auto mechanical = mechanical_pads_variant(evidence, sources)) return std::move(*mechanical);
  if (pad_counts_differ && evidence.most - evidence.fewest > 1) {
    if (auto extras = module_extra_pads(evidence, sources)) return std::move(*extras);
  }
  if (auto pinless = pinless_extra_pads(evidence, sources, label_pads)) return std::move(*pinless);
  if (auto exposed = exposed_pad_variant(evidence, sources, label_pads)) {
    return std::move(*exposed);
  }
  return std::nullopt;
}

}  // namespace tessan
