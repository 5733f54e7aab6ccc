#include "parsers/altium/footprint_variant.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "compare/pin_text.hpp"
#include "compare/unicode_upper.hpp"
#include "parsers/altium/altium_pad_geometry.hpp"

namespace tessan {

namespace {

constexpr std::array<std::string_view, 5> kMarkerWords = {"-MFG", "_MFG", "DEBUG", "FIDUCIAL",
                                                          "TEST"};
constexpr std::uint64_t kCostPerPad = 1000;
constexpr std::uint64_t kMarkerPenalty = 100;

FootprintVariant variant_of(altium::FootprintEntry&& entry) {
  FootprintVariant variant;
  variant.pads.reserve(entry.pads.size());
  variant.pad_geometry.reserve(entry.pads.size());
  for (altium::Pad& pad : entry.pads) {
    variant.pad_geometry.push_back(pad_geometry_of(pad));
    variant.pads.push_back(trim_space(pad.number));
  }
  variant.module_name = std::move(entry.module_name);
  variant.parse_error = std::move(entry.parse_error);
  return variant;
}

std::uint64_t choice_key(const FootprintVariant& variant, std::uint32_t consensus_pad_count) {
  const std::uint64_t pads = variant.pads.size();
  const std::uint64_t distance =
      pads > consensus_pad_count ? pads - consensus_pad_count : consensus_pad_count - pads;
  const bool marked = variant.module_name && has_marker_word(*variant.module_name);
  return distance * kCostPerPad + (marked ? kMarkerPenalty : 0);
}

}  // namespace

std::vector<FootprintVariant> footprint_variants(std::vector<altium::FootprintEntry>&& entries) {
  std::vector<FootprintVariant> variants;
  variants.reserve(entries.size());
  for (altium::FootprintEntry& entry : entries) variants.push_back(variant_of(std::move(entry)));
  return variants;
}

void drop_unparsed_variants(std::vector<FootprintVariant>& variants) {
  std::erase_if(variants, [](const FootprintVariant& variant) {
    return variant.pads.empty() && variant.parse_error.has_value();
  });
}

bool has_marker_word(const std::string& module_name) {
  const std::string upper = unicode_upper(module_name);
  return std::any_of(kMarkerWords.begin(), kMarkerWords.end(),
                     [&](std::string_view word) { return upper.find(word) != std::string::npos; });
}

std::optional<std::size_t> choose_variant(const std::vector<FootprintVariant>& variants,
                                          std::optional<std::uint32_t> consensus_pad_count) {
  if (variants.empty()) return std::nullopt;
  if (!consensus_pad_count) return 0;
  std::size_t best = 0;
  std::uint64_t best_key = choice_key(variants[0], *consensus_pad_count);
  for (std::size_t i = 1; i < variants.size(); ++i) {
    const std::uint64_t key = choice_key(variants[i], *consensus_pad_count);
    if (key < best_key) {
      best = i;
      best_key = key;
    }
  }
  return best;
}

}  // namespace tessan
