#include "compare/pad_variants.hpp"

#include <algorithm>
#include <iterator>

#include "compare/normalize.hpp"

namespace tessan {
namespace {

std::vector<std::string> names_with_pad_count(const SourceRefs& sources, std::size_t count) {
  std::vector<std::string> names;
  for (const SourceData* source : sources) {
    if (source->pads.size() == count) names.push_back(source->name);
  }
  return names;
}

bool has_module_package(const SourceData& source) {
  return source.package && is_module_package(source.package->package_name);
}

}  // namespace

std::optional<Variant> pad_count_variant(const SourceRefs& sources) {
  SourceRefs with_pads;
  std::copy_if(sources.begin(), sources.end(), std::back_inserter(with_pads),
               [](const SourceData* s) { return has_pads(*s); });
  if (with_pads.size() < 2) return std::nullopt;
  const auto [fewest, most] = std::minmax_element(
      with_pads.begin(), with_pads.end(),
      [](const SourceData* a, const SourceData* b) { return a->pads.size() < b->pads.size(); });
  const std::size_t lo = (*fewest)->pads.size();
  const std::size_t hi = (*most)->pads.size();
  std::vector<std::string> with = names_with_pad_count(with_pads, hi);
  std::vector<std::string> without = names_with_pad_count(with_pads, lo);
  if (hi - lo == 1) return ExposedPadVariant{std::move(with), std::move(without)};
  if (hi == lo) return std::nullopt;
  const bool module_without = std::any_of(
      with_pads.begin(), with_pads.end(),
      [&](const SourceData* s) { return s->pads.size() == lo && has_module_package(*s); });
  if (!module_without) return std::nullopt;
  return ModuleExtraPads{std::move(with), std::move(without), static_cast<std::uint32_t>(hi - lo)};
}

}  // namespace tessan
