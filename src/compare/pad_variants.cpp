#include "compare/pad_variants.hpp"

#include "compare/exposed_pad.hpp"
#include "compare/mechanical_pads.hpp"
#include "compare/module_extra_pads.hpp"
#include "compare/pinless_extra_pads.hpp"

namespace tessan {

std::optional<Variant> pad_variant(const SourceRefs& sources, bool pad_counts_differ,
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
