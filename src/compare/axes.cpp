#include "compare/axes.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>

#include "compare/axis_names.hpp"
#include "compare/conflict_list.hpp"
#include "compare/display_text.hpp"
#include "compare/normalize.hpp"
#include "compare/package_family.hpp"
#include "compare/pin_maps.hpp"

namespace tessan {
namespace {

constexpr std::uint8_t kSeverityMissing = 1;
constexpr std::uint8_t kSeverityMajor = 3;
constexpr std::uint8_t kSeverityMinor = 2;
constexpr double kBodyToleranceMm = 0.5;

constexpr std::string_view kNoFootprint = "(no footprint loaded)";
constexpr std::string_view kNoSymbol = "(no symbol loaded)";
constexpr std::string_view kNoPackage = "(no package loaded)";

AxisOutcome new_outcome(std::string_view axis) {
  AxisOutcome outcome;
  outcome.axis = std::string(axis);
  return outcome;
}

// Sets the verdict of an axis compared over `compared` sources: source-missing below two,
// else disagree exactly when there are conflicts.
void settle(AxisOutcome& outcome, std::size_t compared, std::uint8_t severity) {
  if (compared < 2) {
    outcome.verdict = Verdict::SourceMissing;
    outcome.severity = kSeverityMissing;
    outcome.conflicts.clear();
    return;
  }
  outcome.verdict = outcome.conflicts.empty() ? Verdict::Agree : Verdict::Disagree;
  outcome.severity = severity;
}

// pad_count and symbol_pin_count: one count per source, compared when not zero.
AxisOutcome compare_counts(std::string_view axis, const SourceRefs& sources,
                           const std::function<std::size_t(const SourceData&)>& count_of,
                           std::string_view placeholder, std::string_view conflict_prefix) {
  AxisOutcome outcome = new_outcome(axis);
  std::vector<std::size_t> counts;
  for (const SourceData* source : sources) {
    const std::size_t count = count_of(*source);
    outcome.values[source->name] = count == 0 ? std::string(placeholder) : std::to_string(count);
    if (count != 0) counts.push_back(count);
  }
  const bool all_equal =
      std::adjacent_find(counts.begin(), counts.end(), std::not_equal_to<>()) == counts.end();
  if (!all_equal)
    outcome.conflicts.push_back(std::string(conflict_prefix) + bracketed_counts(counts));
  settle(outcome, counts.size(), kSeverityMajor);
  return outcome;
}

std::string label_set_text(const LabelSet& labels) {
  if (labels.size() < 5) return join(std::vector<std::string>(labels.begin(), labels.end()), ",");
  return std::to_string(labels.size()) + " pads (" + *labels.begin() + "\u2026" + *labels.rbegin() +
         ")";
}

std::vector<std::string> set_minus(const LabelSet& a, const LabelSet& b) {
  std::vector<std::string> difference;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(difference));
  return difference;
}

void add_missing_pads(AxisOutcome& outcome, const std::string& holder, const LabelSet& held,
                      const std::string& lacker, const LabelSet& lacked) {
  const std::vector<std::string> missing = set_minus(held, lacked);
  if (missing.empty()) return;
  outcome.conflicts.push_back(holder + " has pads " + short_label_list(missing) + " that " +
                              lacker + " is missing");
}

// A source whose pin names the pin axes compare, with its map.
template <class Map>
struct MappedSource {
  const SourceData* source;
  Map map;
};

std::string stub_line(const SourceData& source) {
  return source.name +
         " has stub-only pin names (UL bundle did not carry the part's real pin labels)";
}

std::string stub_value(const SourceData& source) {
  return "(stub names: " + std::to_string(stub_pin_count(source)) + " of " +
         std::to_string(source.pins.size()) + " are numeric)";
}

// A stub symbol's pins, its stub-named pins as the empty name.
PinNameMap stub_name_map(const SourceData& source) {
  PinNameMap map;
  for (const Pin& pin : source.pins) {
    map.insert_or_assign(pin_number_key(pin.number),
                         pin.is_stub ? std::string() : normalize_pin_name(pin.name));
  }
  return map;
}

// Every symbol with pins is a stub symbol: one alone has nothing to compare against; several
// agree when they agree pin by pin, and otherwise keep their stub lines.
void settle_stub_symbols(AxisOutcome& outcome, const SourceRefs& sources) {
  std::vector<PinNameMap> maps;
  for (const SourceData* source : sources) {
    if (has_pins(*source)) maps.push_back(stub_name_map(*source));
  }
  const bool agree = std::all_of(maps.begin(), maps.end(),
                                 [&](const PinNameMap& map) { return map == maps.front(); });
  if (maps.size() < 2 || agree) outcome.conflicts.clear();
  if (maps.size() < 2) {
    settle(outcome, maps.size(), kSeverityMajor);
  } else {
    outcome.verdict = agree ? Verdict::Agree : Verdict::Disagree;
    outcome.severity = agree ? kSeverityMajor : kSeverityMinor;
  }
}

// The loops name their entries' parts without structured bindings, which lambdas of older
// compilers cannot capture.
void add_pin_name_conflicts(ConflictList& conflicts, const MappedSource<PinNameMap>& reference,
                            const MappedSource<PinNameMap>& other) {
  const std::string& ref = reference.source->name;
  const std::string& oth = other.source->name;
  for (const auto& entry : reference.map) {
    const std::string& key = entry.first;
    const std::string& name = entry.second;
    const auto found = other.map.find(key);
    if (found == other.map.end()) {
      conflicts.add([&] {
        return "pin " + key + " present in " + ref + " (" + name + ") but missing in " + oth;
      });
    } else if (found->second != name) {
      conflicts.add([&] {
        return "pin " + key + ": " + ref + "=" + name + " but " + oth + "=" + found->second;
      });
    }
  }
  for (const auto& entry : other.map) {
    if (reference.map.contains(entry.first)) continue;
    conflicts.add([&] {
      return "pin " + entry.first + " present in " + oth + " (" + entry.second +
             ") but missing in " + ref;
    });
  }
}

void add_pad_map_conflicts(ConflictList& conflicts, const MappedSource<PinPadMap>& reference,
                           const MappedSource<PinPadMap>& other) {
  for (const auto& entry : reference.map) {
    const auto found = other.map.find(entry.first);
    if (found == other.map.end() || found->second == entry.second) continue;
    conflicts.add([&] {
      return "pin " + entry.first + ": " + reference.source->name + "=pad " +
             join(entry.second, ",") + " but " + other.source->name + "=pad " +
             join(found->second, ",");
    });
  }
}

bool has_body_size(const SourceData& source) {
  return source.package && source.package->body_x_mm && source.package->body_y_mm;
}

// Beyond the tolerance, or not comparable at all (a size that is not a number).
bool differs_beyond_tolerance(double a, double b) {
  return !(std::fabs(a - b) <= kBodyToleranceMm);
}

}  // namespace

AxisOutcome compare_pad_count(const SourceRefs& sources) {
  return compare_counts(
      axis_name::kPadCount, sources, [](const SourceData& s) { return s.pads.size(); },
      kNoFootprint, "Pad counts differ across sources: ");
}

AxisOutcome compare_pad_numbers(const SourceRefs& sources) {
  AxisOutcome outcome = new_outcome(axis_name::kPadNumbers);
  std::vector<std::pair<const SourceData*, LabelSet>> labelled;
  for (const SourceData* source : sources) {
    if (!has_pads(*source)) continue;
    labelled.emplace_back(source, pad_label_set(*source));
    outcome.values[source->name] = label_set_text(labelled.back().second);
  }
  for (std::size_t i = 1; i < labelled.size(); ++i) {
    const auto& [reference, reference_labels] = labelled.front();
    const auto& [other, other_labels] = labelled[i];
    add_missing_pads(outcome, reference->name, reference_labels, other->name, other_labels);
    add_missing_pads(outcome, other->name, other_labels, reference->name, reference_labels);
  }
  settle(outcome, labelled.size(), kSeverityMajor);
  return outcome;
}

AxisOutcome compare_symbol_pin_count(const SourceRefs& sources) {
  return compare_counts(
      axis_name::kSymbolPinCount, sources, [](const SourceData& s) { return s.pins.size(); },
      kNoSymbol, "Pin counts differ across sources: ");
}

AxisOutcome compare_pin_names(const SourceRefs& sources) {
  AxisOutcome outcome = new_outcome(axis_name::kPinNames);
  std::vector<MappedSource<PinNameMap>> named;
  ConflictList conflicts;
  for (const SourceData* source : sources) {
    if (!has_pins(*source)) {
      outcome.values[source->name] = std::string(kNoSymbol);
    } else if (is_stub_source(*source)) {
      outcome.values[source->name] = stub_value(*source);
      conflicts.add([&] { return stub_line(*source); });
    } else {
      named.push_back({source, pin_name_map(*source)});
      outcome.values[source->name] = std::to_string(named.back().map.size()) + " named pins";
    }
  }
  for (std::size_t i = 1; i < named.size(); ++i) {
    add_pin_name_conflicts(conflicts, named.front(), named[i]);
  }
  outcome.conflicts = std::move(conflicts).take();
  if (named.empty() && !outcome.conflicts.empty()) {
    settle_stub_symbols(outcome, sources);
    return outcome;
  }
  if (named.size() < 2) {
    outcome.verdict = outcome.conflicts.empty() ? Verdict::SourceMissing : Verdict::Disagree;
    outcome.severity = kSeverityMinor;
    return outcome;
  }
  settle(outcome, named.size(), kSeverityMajor);
  return outcome;
}

AxisOutcome compare_pin_to_pad_map(const SourceRefs& sources) {
  AxisOutcome outcome = new_outcome(axis_name::kPinToPadMap);
  std::vector<MappedSource<PinPadMap>> mapped;
  for (const SourceData* source : sources) {
    if (!has_named_pins(*source)) continue;
    mapped.push_back({source, pin_pad_map(*source)});
    outcome.values[source->name] = std::to_string(mapped.back().map.size()) + " mappings";
  }
  ConflictList conflicts;
  for (std::size_t i = 1; i < mapped.size(); ++i) {
    add_pad_map_conflicts(conflicts, mapped.front(), mapped[i]);
  }
  outcome.conflicts = std::move(conflicts).take();
  settle(outcome, mapped.size(), kSeverityMajor);
  return outcome;
}

AxisOutcome compare_package_family(const SourceRefs& sources) {
  AxisOutcome outcome = new_outcome(axis_name::kPackageFamily);
  std::vector<std::string> items;
  std::vector<std::string_view> families;
  for (const SourceData* source : sources) {
    if (!source->package) {
      outcome.values[source->name] = std::string(kNoPackage);
      continue;
    }
    const std::string& package_name = source->package->package_name;
    const std::string_view family = classify_package_family(package_name);
    outcome.values[source->name] = package_name + " \u2192 family=" + std::string(family);
    items.push_back(source->name + "=" + std::string(family));
    families.push_back(family);
  }
  const bool all_equal =
      std::adjacent_find(families.begin(), families.end(), std::not_equal_to<>()) == families.end();
  if (!all_equal) {
    outcome.conflicts.push_back("Package families disagree across sources: " + join(items, ", "));
  }
  settle(outcome, families.size(), kSeverityMajor);
  return outcome;
}

AxisOutcome compare_body_dims(const SourceRefs& sources) {
  AxisOutcome outcome = new_outcome(axis_name::kBodyDims);
  const SourceData* reference = nullptr;
  std::size_t compared = 0;
  for (const SourceData* source : sources) {
    if (!has_body_size(*source)) continue;
    ++compared;
    const double x = *source->package->body_x_mm;
    const double y = *source->package->body_y_mm;
    outcome.values[source->name] = body_size_text(x, y);
    if (reference == nullptr) {
      reference = source;
      continue;
    }
    const double ref_x = *reference->package->body_x_mm;
    const double ref_y = *reference->package->body_y_mm;
    if (differs_beyond_tolerance(x, ref_x) || differs_beyond_tolerance(y, ref_y)) {
      outcome.conflicts.push_back(source->name + " body " + body_size_text(x, y) +
                                  " differs from " + reference->name + " body " +
                                  body_size_text(ref_x, ref_y) + " by >0.5 mm");
    }
  }
  settle(outcome, compared, kSeverityMinor);
  return outcome;
}

}  // namespace tessan
