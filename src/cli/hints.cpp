#include "cli/hints.hpp"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "compare/lone_source.hpp"
#include "compare/source_set.hpp"

namespace tessan {

namespace {

constexpr std::string_view kStubMarker = "stub-only pin names";
constexpr std::string_view kStrongerModel = "claude-opus-4-7";
constexpr std::string_view kSearchEngineDomain = "componentsearchengine.com";

const std::vector<std::string_view> kFootprintAxes = {"package_family", "pad_count", "pad_numbers",
                                                      "body_dims"};
const std::vector<std::string_view> kLibraryFormats = {"kicad_sym", "kicad_mod", "eagle", "altium"};
const std::vector<std::string_view> kSymbolAxes = {"symbol_pin_count", "pin_names",
                                                   "pin_to_pad_map"};

bool contains(const std::vector<std::string_view>& list, std::string_view item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

bool contains(const std::vector<std::string>& list, std::string_view item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

std::string_view trim(std::string_view s) {
  const auto is_space = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
  };
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

std::string first_word(std::string_view s) {
  s = trim(s);
  const auto end = s.find_first_of(" \t\n\r\f\v");
  return std::string(s.substr(0, end));
}

std::string to_lower_ascii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Values test: quarn's value stands alone while every other value is shared.
bool quarn_alone_by_values(const AxisOutcome& axis) {
  if (axis.values.size() < 3) return false;
  std::map<std::string, std::vector<std::string>> holders;
  for (const auto& [source, text] : axis.values) {
    if (!text.empty() && text.front() == '(') continue;
    holders[text].push_back(source);
  }
  const auto quarn = axis.values.find("quarn");
  if (quarn == axis.values.end()) return false;
  const auto quarn_holders = holders.find(quarn->second);
  if (quarn_holders == holders.end() || quarn_holders->second.size() != 1) return false;
  bool shared_exists = false;
  for (const auto& [text, sources] : holders) {
    if (text == quarn->second) continue;
    if (sources.size() < 2) return false;
    shared_exists = true;
  }
  return shared_exists;
}

// The two source names of a pairwise conflict such as "pin 3: quarn=VDD but kicad=GND".
std::optional<std::pair<std::string, std::string>> conflict_pair(std::string_view conflict) {
  const auto colon = conflict.find(": ");
  std::string_view rest = colon == std::string_view::npos ? conflict : conflict.substr(colon + 2);
  const auto but = rest.find(" but ");
  if (but == std::string_view::npos) return std::nullopt;
  const std::string_view left = rest.substr(0, but);
  const std::string_view right = rest.substr(but + 5);
  const auto left_eq = left.find('=');
  const auto right_eq = right.find('=');
  if (left_eq == std::string_view::npos || right_eq == std::string_view::npos) return std::nullopt;
  return std::make_pair(std::string(trim(left.substr(0, left_eq))),
                        std::string(trim(right.substr(0, right_eq))));
}

// Conflict test: every pairwise conflict sets quarn against another source, and quarn stands
// against every other source that shows a value on the axis. Since quarn is read first it is
// the reference of every pairwise conflict, so naming quarn alone says nothing about who is
// wrong; only when it differs from each of the others is it the lone disagreer.
bool quarn_in_every_pair(const AxisOutcome& axis) {
  int pairs = 0;
  std::set<std::string> opponents;
  for (const auto& conflict : axis.conflicts) {
    const auto pair = conflict_pair(conflict);
    if (!pair) continue;
    ++pairs;
    if (pair->first != "quarn" && pair->second != "quarn") return false;
    opponents.insert(pair->first == "quarn" ? pair->second : pair->first);
  }
  if (pairs < 2) return false;
  for (const auto& [source, text] : axis.values) {
    const bool shows_value = !text.empty() && text.front() != '(';
    if (source != "quarn" && shows_value && !opponents.contains(source)) return false;
  }
  return true;
}

std::uint32_t pin_count_of(const std::vector<SourceData>& records, const std::string& name) {
  for (const auto& record : records) {
    if (record.name == name) return static_cast<std::uint32_t>(record.pins.size());
  }
  return 0;
}

void append_stub_hint(const std::vector<SourceData>& records, const std::string& source,
                      std::vector<Hint>& hints) {
  UlSymbolHasStubNames hint;
  hint.source = source;
  hint.pin_count = pin_count_of(records, hint.source);
  hint.suggestion =
      "Use quarn-extracted symbol JSON for downstream tools that need real pin labels.";
  hint.harvo_action =
      "Do NOT refetch the .kicad_sym \u2014 UL stub-naming is a UL-bundle property, not a harvo "
      "choice. Instead, mark this chip dir's symbol source as 'quarn-preferred' so downstream "
      "drawlet authors a fresh .kicad_sym from quarn's JSON.";
  hints.emplace_back(std::move(hint));
}

void append_stub_hints(const std::vector<SourceData>& records, const AxisOutcome& axis,
                       std::vector<Hint>& hints) {
  for (const auto& conflict : axis.conflicts) {
    if (conflict.find(kStubMarker) != std::string::npos) {
      append_stub_hint(records, first_word(conflict), hints);
    }
  }
}

// Stub symbols that pin_names did not list as conflicts (they agree among themselves, or one
// stands alone): a hint for each with more than two pins, whose real names matter.
void append_quiet_stub_hints(const std::vector<SourceData>& records, const AxisOutcome& axis,
                             std::vector<Hint>& hints) {
  for (const auto& record : records) {
    if (axis.values.contains(record.name) && has_pins(record) && is_stub_source(record) &&
        record.pins.size() > 2) {
      append_stub_hint(records, record.name, hints);
    }
  }
}

RerunQuarnWithStrongerModel lone_quarn_hint(const std::string& axis) {
  return {"On axis '" + axis +
              "', quarn is the lone disagreer \u2014 every other parsed source agrees against it. "
              "Most likely a Haiku misread of the datasheet (typo, swapped pins, or fine-pitch "
              "label collision). Re-running with Opus typically resolves these.",
          axis, std::string(kStrongerModel)};
}

RerunQuarnWithStrongerModel body_dim_hint() {
  return {
      "quarn reported a body dim that's likely the lead-tip span rather than the body D-dim "
      "\u2014 a known Haiku misread on small SOIC/VSSOP packages.",
      "bodyDimensions.x or bodyDimensions.y", std::string(kStrongerModel)};
}

// The conflicts that call for a hint: all but those the naming tests accept on their own, or
// the first conflict when every one is such.
std::vector<const std::string*> faulty_conflicts(const AxisOutcome& axis, const LoneSource& lone) {
  std::vector<const std::string*> faulty;
  for (const auto& conflict : axis.conflicts) {
    if (!lone.is_benign(conflict)) faulty.push_back(&conflict);
  }
  if (faulty.empty() && !axis.conflicts.empty()) faulty.push_back(&axis.conflicts.front());
  return faulty;
}

RefetchLibrarySource refetch_hint(const std::string& mpn, const AxisOutcome& axis,
                                  const std::string& conflict, const std::string& format) {
  return {format, axis.axis, conflict, suggested_sources(format, mpn),
          "Re-run `tessan check` after refetch; axis '" + axis.axis +
              "' should change from 'disagree' to 'agree' (or be covered by a benign variant)."};
}

void append_uncovered_hints(const std::string& mpn, const SourceRefs& sources,
                            const AxisOutcome& axis, KicadFilesRead kicad,
                            std::vector<Hint>& hints) {
  const LoneSource lone(axis, sources);
  const bool lone_quarn = is_lone_quarn_disagreement(axis);
  for (const std::string* conflict : faulty_conflicts(axis, lone)) {
    if (lone_quarn) {
      hints.emplace_back(lone_quarn_hint(axis.axis));
    } else if (axis.axis == "body_dims" &&
               to_lower_ascii(*conflict).find("quarn") != std::string::npos) {
      hints.emplace_back(body_dim_hint());
    } else {
      const std::string format = refetch_format(axis.axis, lone.of(*conflict), kicad);
      hints.emplace_back(refetch_hint(mpn, axis, *conflict, format));
    }
  }
}

}  // namespace

std::string_view suspect_format(std::string_view axis) {
  if (contains(kFootprintAxes, axis)) return "kicad_mod";
  if (contains(kSymbolAxes, axis)) return "kicad_sym";
  return "unknown";
}

std::string refetch_format(std::string_view axis, const std::optional<std::string>& suspect,
                           KicadFilesRead kicad) {
  if (suspect && *suspect != "kicad") return *suspect;
  const std::string_view kicad_format = suspect_format(axis);
  const bool read = (kicad_format == "kicad_sym" && kicad.symbol) ||
                    (kicad_format == "kicad_mod" && kicad.footprint);
  return std::string(read ? kicad_format : "unknown");
}

// Every upstream that carries KiCad libraries carries EAGLE and Altium ones too.
std::vector<std::string> suggested_sources(std::string_view format, std::string_view mpn) {
  if (!contains(kLibraryFormats, format)) {
    return {
        "Inspect the harvo fetch log to identify which upstream source was used; refetch "
        "from a different one."};
  }
  return {
      "Manufacturer site: " + std::string(mpn) +
          " datasheet+CAD page (search the part number on the manufacturer's website; many "
          "manufacturers offer a manufacturer-direct ZIP that bypasses UL).",
      "Ultra Librarian: re-fetch with a different package-suffix variant; the current UL bundle "
      "may be for a sibling part in the same family with a different pinout.",
      "SnapMagic / SnapEDA: alternate library source; usually carries a different upstream than "
      "UL.",
      "Mouser / DigiKey: some distributors host CAD downloads from a different upstream than UL.",
      "Component Search Engine (" + std::string(kSearchEngineDomain) +
          "): yet another upstream \u2014 useful as a tiebreaker.",
  };
}

bool is_lone_quarn_disagreement(const AxisOutcome& axis) {
  return quarn_alone_by_values(axis) || quarn_in_every_pair(axis);
}

void append_axis_hints(const std::string& mpn, const std::vector<SourceData>& records,
                       const std::vector<AxisOutcome>& axes,
                       const std::vector<std::string>& covered, KicadFilesRead kicad,
                       std::vector<Hint>& hints) {
  const SourceRefs sources = participating_sources(records);
  for (const auto& axis : axes) {
    if (axis.axis == "pin_names" && axis.verdict != Verdict::Disagree) {
      append_quiet_stub_hints(records, axis, hints);
    }
    if (axis.verdict != Verdict::Disagree) continue;
    if (contains(covered, axis.axis)) {
      append_stub_hints(records, axis, hints);
    } else {
      append_uncovered_hints(mpn, sources, axis, kicad, hints);
    }
  }
}

}  // namespace tessan
