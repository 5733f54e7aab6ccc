#include "compare/pad_variants.hpp"

#include "compare/exposed_pad.hpp"
#include "compare/geometry_pad_variant.hpp"
#include "compare/module_extra_pads.hpp"
#include "compare/pad_evidence.hpp"

namespace tessan {

std::optional<Variant> pad_variant(const SourceRefs& sources, bool pad_counts_differ,
                                   const GeometryAnalysis& geometry) {
  if (geometry_applies(geometry)) return geometry_pad_variant(sources, pad_counts_differ, geometry);
  const PadEvidence evidence = gather_pad_evidence(sources);
  if (evidence.padded.size() < 2) return std::nullopt;
  if (pad_counts_differ && evidence.most - evidence.fewest > 1) {
    if (auto extras = module_extra_pads(evidence, sources)) return std::move(*extras);
  }
  if (auto exposed = exposed_pad_variant(evidence, sources)) return std::move(*exposed);
  return std::nullopt;
}

}  // namespace tessan
