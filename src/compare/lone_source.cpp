#include "compare/lone_source.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "compare/axis_names.hpp"

namespace tessan {
namespace {

constexpr std::string_view kGeometryDiffers = "Footprint geometry differs between ";
constexpr std::string_view kNumbersDiffer = " number the same pad positions differently (";
constexpr std::string_view kHasStubNames = " has stub-only pin names";
constexpr std::string_view kFamilyMark = "family=";

bool is_source_word(std::string_view word) {
  return !word.empty() && word.find_first_of(" :=") == std::string_view::npos;
}

std::optional<std::pair<std::string, std::string>> source_pair(std::string_view a,
                                                               std::string_view b) {
  if (!is_source_word(a) || !is_source_word(b)) return std::nullopt;
  return std::make_pair(std::string(a), std::string(b));
}

// "{a} and {b}" at the start of `text`, the pair ending where `end` begins.
std::optional<std::pair<std::string, std::string>> pair_before(std::string_view text,
                                                               std::string_view end) {
  const auto and_at = text.find(" and ");
  if (and_at == std::string_view::npos) return std::nullopt;
  const auto end_at = text.find(end, and_at + 5);
  if (end_at == std::string_view::npos) return std::nullopt;
  return source_pair(text.substr(0, and_at), text.substr(and_at + 5, end_at - and_at - 5));
}

// The source that a stub conflict ("{source} has stub-only pin names ...") names.
std::optional<std::string> stub_source(std::string_view conflict) {
  const auto at = conflict.find(kHasStubNames);
  if (at == std::string_view::npos || !is_source_word(conflict.substr(0, at))) {
    return std::nullopt;
  }
  return std::string(conflict.substr(0, at));
}

// What a value says for the lone-source test: on package_family the family, not the package
// name, which differs between any two libraries.
std::string_view comparable_value(std::string_view axis, std::string_view text) {
  if (axis != axis_name::kPackageFamily) return text;
  const auto at = text.rfind(kFamilyMark);
  return at == std::string_view::npos ? text : text.substr(at + kFamilyMark.size());
}

bool is_placeholder(std::string_view text) {
  return !text.empty() && text.front() == '(';
}

// The one source that takes part in every geometry conflict of the axis.
std::optional<std::string> in_every_geometry_conflict(const AxisOutcome& axis) {
  std::optional<std::set<std::string>> common;
  for (const std::string& conflict : axis.conflicts) {
    const auto pair = geometry_conflict_pair(conflict);
    if (!pair) continue;
    std::set<std::string> both = {pair->first, pair->second};
    if (!common) {
      common = std::move(both);
      continue;
    }
    std::erase_if(*common, [&](const std::string& s) { return !both.contains(s); });
  }
  if (!common || common->size() != 1) return std::nullopt;
  return *common->begin();
}

}  // namespace

bool is_library_source(std::string_view name) {
  return name == "kicad" || name == "eagle" || name == "altium";
}

std::optional<std::pair<std::string, std::string>> geometry_conflict_pair(
    std::string_view conflict) {
  if (conflict.starts_with(kGeometryDiffers)) {
    return pair_before(conflict.substr(kGeometryDiffers.size()), ": ");
  }
  return pair_before(conflict, kNumbersDiffer);
}

LoneSource::LoneSource(const AxisOutcome& axis, const SourceRefs& sources)
    : axis_(axis), geometry_suspect_(in_every_geometry_conflict(axis)) {
  if (axis.axis == axis_name::kPinNames || axis.axis == axis_name::kPinToPadMap) {
    pins_.emplace(axis.axis, sources);
  }
}

std::optional<std::string> LoneSource::of(std::string_view conflict) const {
  std::optional<std::string> suspect;
  if (geometry_conflict_pair(conflict)) {
    suspect = geometry_suspect_;
  } else if (const auto stub = stub_source(conflict)) {
    suspect = stub;
  } else if (pins_) {
    suspect = by_pin(conflict);
  } else {
    suspect = by_values();
  }
  if (suspect && !is_library_source(*suspect)) return std::nullopt;
  return suspect;
}

bool LoneSource::is_benign(std::string_view conflict) const {
  return pins_ && pins_->is_benign(conflict);
}

std::optional<std::string> LoneSource::by_pin(std::string_view conflict) const {
  const auto pin = pins_->pin_of(conflict);
  if (!pin) return std::nullopt;
  const std::vector<std::string> names = pins_->source_names();
  std::vector<std::size_t> lone_libraries;
  for (std::size_t i = 0; i < names.size(); ++i) {
    bool shared = false;
    for (std::size_t j = 0; j < names.size() && !shared; ++j) {
      shared = i != j && pins_->share(i, j, *pin);
    }
    if (!shared && is_library_source(names[i])) lone_libraries.push_back(i);
  }
  if (lone_libraries.size() != 1) return std::nullopt;
  const std::size_t lone = lone_libraries.front();
  for (std::size_t i = 0; i < names.size(); ++i) {
    for (std::size_t j = i + 1; j < names.size(); ++j) {
      if (i != lone && j != lone && pins_->share(i, j, *pin)) return names[lone];
    }
  }
  return std::nullopt;
}

std::optional<std::string> LoneSource::by_values() const {
  std::map<std::string_view, std::vector<std::string_view>> holders;
  for (const auto& [source, text] : axis_.values) {
    if (!is_placeholder(text)) holders[comparable_value(axis_.axis, text)].push_back(source);
  }
  std::optional<std::string> lone;
  bool shared_exists = false;
  for (const auto& [value, sources] : holders) {
    if (sources.size() >= 2) {
      shared_exists = true;
    } else if (lone || !is_library_source(sources.front())) {
      return std::nullopt;
    } else {
      lone = std::string(sources.front());
    }
  }
  return shared_exists ? lone : std::nullopt;
}

}  // namespace tessan
