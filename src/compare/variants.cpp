#include "compare/variants.hpp"

#include <algorithm>

#include "compare/axis_names.hpp"
#include "compare/display_text.hpp"
#include "compare/geometry/alignment.hpp"
#include "compare/kelvin_sense.hpp"
#include "compare/naming_convention.hpp"
#include "compare/package_family.hpp"
#include "compare/pad_variants.hpp"

namespace tessan {
namespace {

// The axes of one comparison, looked up by name.
class AxisVerdicts {
 public:
  explicit AxisVerdicts(const std::vector<AxisOutcome>& axes) : axes_(axes) {}

  const AxisOutcome* find(std::string_view name) const {
    const auto found = std::find_if(axes_.begin(), axes_.end(),
                                    [&](const AxisOutcome& a) { return a.axis == name; });
    return found == axes_.end() ? nullptr : &*found;
  }
  bool disagrees(std::string_view name) const { return has(name, Verdict::Disagree); }
  bool agrees(std::string_view name) const { return has(name, Verdict::Agree); }

 private:
  bool has(std::string_view name, Verdict verdict) const {
    const AxisOutcome* outcome = find(name);
    return outcome != nullptr && outcome->verdict == verdict;
  }

  const std::vector<AxisOutcome>& axes_;
};

std::string axis_overview(const AxisVerdicts& axes, std::string_view name) {
  const AxisOutcome* outcome = axes.find(name);
  return outcome == nullptr ? std::string() : values_overview(outcome->values);
}

std::optional<StubSymbolPinNames> stub_names_variant(const SourceRefs& sources) {
  StubSymbolPinNames variant;
  for (const SourceData* source : sources) {
    if (!has_pins(*source)) continue;
    auto& list = is_stub_source(*source) ? variant.stub_sources : variant.canonical_sources;
    list.push_back(source->name);
  }
  if (variant.stub_sources.empty() || variant.canonical_sources.empty()) return std::nullopt;
  return variant;
}

bool package_families_share_a_class(const SourceRefs& sources) {
  std::vector<std::string_view> families;
  for (const SourceData* source : sources) {
    if (source->package) families.push_back(classify_package_family(source->package->package_name));
  }
  return families_share_a_class(families);
}

bool footprints_conflict(const GeometryAnalysis& geometry) {
  return !geometry.package_conflicts.empty() || !geometry.numbering_conflicts.empty();
}

// Every source with a package has usable geometry, and every pair of footprints lies on each
// other nearly pad for pad: the packages are one whatever their names say.
bool footprints_are_one_package(const SourceRefs& sources, const GeometryAnalysis& geometry) {
  if (!geometry_applies(geometry) || footprints_conflict(geometry)) return false;
  const bool all_usable = std::all_of(sources.begin(), sources.end(), [&](const SourceData* s) {
    return !s->package ||
           std::any_of(geometry.footprints.begin(), geometry.footprints.end(),
                       [&](const FootprintGeometry& f) { return f.source == s && f.usable; });
  });
  return all_usable && std::all_of(geometry.pairs.begin(), geometry.pairs.end(),
                                   [](const PairAlignment& p) { return pairs_nearly_all(p); });
}

template <class T>
void add(std::vector<Variant>& variants, std::optional<T> variant) {
  if (variant) variants.emplace_back(std::move(*variant));
}

}  // namespace

std::vector<Variant> classify_variants(const std::vector<AxisOutcome>& axes,
                                       const SourceRefs& sources,
                                       const GeometryAnalysis& geometry) {
  const AxisVerdicts verdicts(axes);
  std::vector<Variant> variants;
  bool pads_explained = false;
  const bool pad_counts_differ = verdicts.disagrees(axis_name::kPadCount);
  if (pad_counts_differ || verdicts.disagrees(axis_name::kPadNumbers)) {
    std::optional<Variant> pads = pad_variant(sources, pad_counts_differ, geometry);
    pads_explained = pads.has_value();
    add(variants, std::move(pads));
  }
  const bool geometry_agrees =
      ((verdicts.agrees(axis_name::kPadCount) && verdicts.agrees(axis_name::kPadNumbers)) ||
       pads_explained) &&
      !footprints_conflict(geometry);
  if (verdicts.disagrees(axis_name::kPackageFamily) && geometry_agrees &&
      (package_families_share_a_class(sources) || footprints_are_one_package(sources, geometry))) {
    variants.emplace_back(LabelOnlyMismatch{axis_overview(verdicts, axis_name::kPackageFamily)});
  }
  if (verdicts.disagrees(axis_name::kPinNames) && pin_names_accepted(sources)) {
    add(variants, stub_names_variant(sources));
  }
  if (verdicts.disagrees(axis_name::kBodyDims) && geometry_agrees) {
    variants.emplace_back(
        BodyDimMeasurementArtifact{axis_overview(verdicts, axis_name::kBodyDims)});
  }
  if (verdicts.disagrees(axis_name::kPadCount)) add(variants, kelvin_sense_variant(sources));
  if (verdicts.disagrees(axis_name::kPinNames)) {
    add(variants, naming_convention_variant(sources, verdicts.agrees(axis_name::kSymbolPinCount)));
  }
  return variants;
}

}  // namespace tessan
