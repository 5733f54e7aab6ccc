#include "compare/package_family.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "compare/unicode_upper.hpp"
#include "compare/vocabulary.hpp"

namespace tessan {
namespace {

using vocabulary::FamilyPattern;

// A rule's family, or nothing when the rule does not decide.
using RuleResult = std::optional<std::string_view>;

template <class Range>
bool any_equal(const Range& names, std::string_view upper) {
  return std::find(names.begin(), names.end(), upper) != names.end();
}

template <class Range>
bool any_suffix(const Range& suffixes, std::string_view upper) {
  return std::any_of(suffixes.begin(), suffixes.end(),
                     [&](std::string_view suffix) { return upper.ends_with(suffix); });
}

RuleResult vendor_outline_family(std::string_view upper) {
  for (const FamilyPattern& row : vocabulary::kVendorOutlinePrefixes) {
    if (upper.starts_with(row.pattern)) return row.family;
  }
  return std::nullopt;
}

RuleResult short_outline_family(std::string_view upper) {
  if (any_equal(vocabulary::kSoicNames, upper) || any_suffix(vocabulary::kSoicSuffixes, upper)) {
    return "SOIC";
  }
  if (any_equal(vocabulary::kDipNames, upper) || any_suffix(vocabulary::kDipSuffixes, upper)) {
    return "DIP";
  }
  return std::nullopt;
}

RuleResult sot_named_family(std::string_view upper) {
  if (!upper.starts_with(vocabulary::kSotPrefix)) return std::nullopt;
  const std::string_view rest = upper.substr(vocabulary::kSotPrefix.size());
  for (std::string_view family : vocabulary::kSotNamedFamilies) {
    if (rest.find(family) != std::string_view::npos) return family;
  }
  return std::nullopt;
}

// The pitch of a land-pattern name: the digits right after the prefix, followed by "P".
struct Pitch {
  bool present = false;   // digits followed by "P"
  bool overflow = false;  // the digits do not fit 32 bits
  std::uint32_t hundredths_mm = 0;
};

Pitch read_pitch(std::string_view after_prefix) {
  Pitch pitch;
  std::size_t digits = 0;
  std::uint64_t value = 0;
  while (digits < after_prefix.size() && after_prefix[digits] >= '0' &&
         after_prefix[digits] <= '9') {
    if (value <= std::numeric_limits<std::uint32_t>::max()) {
      value = value * 10 + static_cast<std::uint64_t>(after_prefix[digits] - '0');
    }
    ++digits;
  }
  pitch.present = digits > 0 && digits < after_prefix.size() && after_prefix[digits] == 'P';
  pitch.overflow = value > std::numeric_limits<std::uint32_t>::max();
  pitch.hundredths_mm = static_cast<std::uint32_t>(value);
  return pitch;
}

std::string_view small_outline_by_pitch(std::uint32_t hundredths_mm) {
  if (hundredths_mm == 127) return "SOIC";
  if (hundredths_mm < 66) return "TSSOP";
  return "SSOP";
}

// Land-pattern names. A pitch too large for 32 bits ends this rule without a result.
RuleResult land_pattern_family(std::string_view upper) {
  for (const FamilyPattern& row : vocabulary::kLandPatternPrefixes) {
    if (!upper.starts_with(row.pattern)) continue;
    const Pitch pitch = read_pitch(upper.substr(row.pattern.size()));
    if (!pitch.present) continue;
    if (pitch.overflow) return std::nullopt;
    if (row.pattern == "SOP") return small_outline_by_pitch(pitch.hundredths_mm);
    return row.family;
  }
  return std::nullopt;
}

RuleResult substring_family(std::string_view upper) {
  if (upper.find(vocabulary::kLgaPattern) != std::string_view::npos) return "LGA";
  for (const FamilyPattern& row : vocabulary::kFamilySubstrings) {
    if (upper.find(row.pattern) != std::string_view::npos) return row.family;
  }
  return std::nullopt;
}

}  // namespace

std::string_view classify_package_family(std::string_view package_name) {
  const std::string upper = unicode_upper(package_name);
  if (auto family = vendor_outline_family(upper)) return *family;
  if (auto family = short_outline_family(upper)) return *family;
  if (auto family = sot_named_family(upper)) return *family;
  if (auto family = land_pattern_family(upper)) return *family;
  if (auto family = substring_family(upper)) return *family;
  return vocabulary::kUnknownFamily;
}

std::optional<std::string_view> family_class(std::string_view family) {
  for (const vocabulary::FamilyClass& family_class : vocabulary::kFamilyClasses) {
    if (std::find(family_class.families.begin(), family_class.families.end(), family) !=
        family_class.families.end()) {
      return family_class.name;
    }
  }
  return std::nullopt;
}

bool families_share_a_class(const std::vector<std::string_view>& families) {
  std::optional<std::string_view> shared;
  for (const std::string_view family : families) {
    if (family == vocabulary::kUnknownFamily) continue;
    const auto this_class = family_class(family);
    if (!this_class || (shared && *shared != *this_class)) return false;
    shared = this_class;
  }
  return true;
}

}  // namespace tessan
