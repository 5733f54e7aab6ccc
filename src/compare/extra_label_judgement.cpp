#include "compare/extra_label_judgement.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tessan {
namespace {

const LabelSet* electrical_of(const PadEvidence& evidence, const SourceData& source) {
  for (const PaddedSource& p : evidence.padded) {
    if (p.source == &source) return &p.electrical;
  }
  return nullptr;
}

bool inside(const PadGeometry& point, const PadGeometry& pad) {
  return std::fabs(point.x - pad.x) <= pad.w / 2 && std::fabs(point.y - pad.y) <= pad.h / 2;
}

bool lies_on(const PadGeometry& a, const PadGeometry& b) {
  return inside(a, b) || inside(b, a);
}

std::vector<std::string> pin_names_on_either(const SourceData& source, const std::string& a,
                                             const std::string& b) {
  std::vector<std::string> names = pin_names_on(source, a);
  for (std::string& name : pin_names_on(source, b)) names.push_back(std::move(name));
  return names;
}

// The pins on pad `label_a` of `a` and pad `label_b` of `b` are one pin, and every other
// source that puts pins on either label names them so too.
bool pins_agree(const SourceData& a, const std::string& label_a, const SourceData& b,
                const std::string& label_b, const SourceRefs& sources) {
  const std::vector<std::string> names = pin_names_on(a, label_a);
  if (!a.pins.empty() && !b.pins.empty() && !same_pin(names, pin_names_on(b, label_b))) {
    return false;
  }
  const std::vector<std::string>& reference = a.pins.empty() ? pin_names_on(b, label_b) : names;
  return std::all_of(sources.begin(), sources.end(), [&](const SourceData* other) {
    if (other == &a || other == &b) return true;
    const std::vector<std::string> theirs = pin_names_on_either(*other, label_a, label_b);
    return theirs.empty() || reference.empty() || same_pin(reference, theirs);
  });
}

struct Judged {
  LabelSet exposed;
  LabelSet set_aside;
};

// The label of `other` under pad `pad` of `holder`, when it explains the pad; else nothing.
std::optional<std::string> partner_under(const LabelledFootprint& holder, const LabelSet& held,
                                         std::size_t pad, const LabelledFootprint& other,
                                         const LabelSet& other_held) {
  const PadGeometry& placed = holder.geometry->aligned[pad];
  for (const auto& [label, pads] : other.pads_by_label) {
    const bool relabel = !held.contains(label) && other_held.contains(label);
    const bool second_pad = held.contains(label) && other_held.contains(label) && pads.size() >= 2;
    if (!relabel && !second_pad) continue;
    for (std::size_t q : pads) {
      if (lies_on(placed, other.geometry->aligned[q])) return label;
    }
  }
  return std::nullopt;
}

bool explain(const std::string& label, const LabelledFootprint& holder, const PadEvidence& evidence,
             const std::vector<LabelledFootprint>& footprints, const SourceRefs& sources,
             Judged& judged) {
  const LabelSet& held = *electrical_of(evidence, holder.source());
  if (holder.all_pads(label, {PadRole::Ep})) {
    judged.exposed.insert(label);
    judged.set_aside.insert(label);
    return true;
  }
  bool compared = false;
  for (const LabelledFootprint& other : footprints) {
    const LabelSet* other_held = electrical_of(evidence, other.source());
    if (&other == &holder || other_held == nullptr || other_held->contains(label)) continue;
    compared = true;
    for (std::size_t pad : holder.pads_by_label.at(label)) {
      const auto partner = partner_under(holder, held, pad, other, *other_held);
      if (!partner || !pins_agree(holder.source(), label, other.source(), *partner, sources))
        return false;
      judged.set_aside.insert({label, *partner});
    }
  }
  return compared;
}

}  // namespace

ExtraLabelJudgement judge_extra_labels(const PadEvidence& evidence,
                                       const std::vector<LabelledFootprint>& footprints,
                                       const SourceRefs& sources) {
  ExtraLabelJudgement result;
  Judged judged;
  for (const std::string& label : evidence.all_electrical) {
    const bool everywhere =
        std::all_of(evidence.padded.begin(), evidence.padded.end(),
                    [&](const PaddedSource& p) { return p.electrical.contains(label); });
    if (everywhere) continue;
    for (const LabelledFootprint& holder : footprints) {
      const LabelSet* held = electrical_of(evidence, holder.source());
      if (held == nullptr || !held->contains(label)) continue;
      if (!explain(label, holder, evidence, footprints, sources, judged)) {
        result.accepted = false;
        return result;
      }
    }
  }
  result.exposed = std::move(judged.exposed);
  result.set_aside = std::move(judged.set_aside);
  return result;
}

}  // namespace tessan
