#include "report/pin_table.hpp"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "compare/name_moves.hpp"
#include "compare/normalize.hpp"
#include "compare/pin_maps.hpp"
#include "compare/source_set.hpp"
#include "report/html_text.hpp"
#include "report/source_colours.hpp"

namespace tessan::report {

namespace {

// How a cell's name stands against the reference column's name for the same pin.
enum class CellMark { Same, Benign, Real, Unmatched };

struct CellJudgement {
  CellMark mark = CellMark::Same;
  std::string rule;  // the rule that accepts a benign difference
};

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The run of digits or of non-digits starting at `at`.
std::string_view chunk_at(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && is_digit(text[end]) == is_digit(text[at])) ++end;
  return text.substr(at, end - at);
}

// Digit runs by value (leading zeros aside); -1, 0 or 1.
int compare_numbers(std::string_view a, std::string_view b) {
  const auto trim = [](std::string_view s) {
    const auto first = s.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
  };
  const std::string_view x = trim(a), y = trim(b);
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  const int by_digits = x.compare(y);
  return by_digits < 0 ? -1 : (by_digits > 0 ? 1 : 0);
}

struct Column {
  const SourceData* source = nullptr;
  PinNameMap names;                                      // key -> normalized name
  std::map<std::string, std::vector<const Pin*>> pins;   // key -> pins, reader order
  std::map<std::string, std::vector<std::string>> pads;  // folded label -> labels
  std::optional<NameMoves> moves;                        // against the reference
};

Column column_of(const SourceData& source) {
  Column column;
  column.source = &source;
  column.names = pin_name_map(source);
  for (const Pin& pin : source.pins) column.pins[pin_number_key(pin.number)].push_back(&pin);
  for (const std::string& label : source.pads) {
    column.pads[fold_label(pin_number_key(label))].push_back(label);
  }
  return column;
}

std::vector<std::string> stub_sources_of(const std::vector<Variant>& variants) {
  for (const Variant& variant : variants) {
    if (const auto* stubs = std::get_if<StubSymbolPinNames>(&variant)) return stubs->stub_sources;
  }
  return {};
}

CellJudgement judge_cell(const Column& reference, const Column& column, const std::string& key,
                         const std::vector<std::string>& stub_sources) {
  const auto ref_pins = reference.pins.find(key);
  const auto pins = column.pins.find(key);
  if (ref_pins == reference.pins.end() || pins == column.pins.end()) {
    return {CellMark::Unmatched, ""};
  }
  const Pin& a_pin = *ref_pins->second.back();
  const Pin& b_pin = *pins->second.back();
  if (a_pin.name == b_pin.name) return {CellMark::Same, ""};
  const bool stub = b_pin.is_stub || is_stub_name(b_pin.name, b_pin.number);
  if (stub && std::find(stub_sources.begin(), stub_sources.end(), column.source->name) !=
                  stub_sources.end()) {
    return {CellMark::Benign, "stub name of a symbol that numbers its pins only"};
  }
  const std::string& a = reference.names.at(key);
  const std::string& b = column.names.at(key);
  if (a == b) return {CellMark::Benign, "same name once normalized"};
  if (const auto rule = benign_rule_at(*column.moves, key, a, b)) {
    return {CellMark::Benign, std::string(*rule)};
  }
  return {CellMark::Real, ""};
}

std::string pads_text(const Column& column, const std::vector<const Pin*>& pins) {
  std::vector<std::string> labels;
  for (const Pin* pin : pins) {
    const auto found = column.pads.find(folded_pin_number(*pin));
    if (found == column.pads.end()) continue;
    for (const std::string& label : found->second) {
      if (std::find(labels.begin(), labels.end(), label) == labels.end()) labels.push_back(label);
    }
  }
  if (labels.empty()) return column.source->pads.empty() ? "" : "no pad";
  std::string text = labels.size() == 1 ? "pad " : "pads ";
  for (std::size_t i = 0; i < labels.size(); ++i) text += (i ? ", " : "") + labels[i];
  return text;
}

std::string names_text(const std::vector<const Pin*>& pins) {
  std::string text;
  for (std::size_t i = 0; i < pins.size(); ++i) text += (i ? " / " : "") + pins[i]->name;
  return text;
}

std::string cell(const Column& reference, const Column& column, const std::string& key,
                 const std::vector<std::string>& stub_sources) {
  const auto pins = column.pins.find(key);
  const CellJudgement judgement =
      &column == &reference ? CellJudgement{} : judge_cell(reference, column, key, stub_sources);
  static constexpr const char* kClasses[] = {"same", "benign", "real", "unmatched"};
  std::string out =
      "<td class=\"cell " + std::string(kClasses[static_cast<int>(judgement.mark)]) + "\">";
  if (pins == column.pins.end()) return out + "<span class=\"absent\">\u2014</span></td>";
  out += "<span class=\"name\">" + html_text(names_text(pins->second)) + "</span>";
  const std::string pads = pads_text(column, pins->second);
  if (!pads.empty()) out += "<span class=\"pads\">" + html_text(pads) + "</span>";
  if (judgement.mark == CellMark::Benign) {
    out += "<span class=\"rule\">benign: " + html_text(judgement.rule) + "</span>";
  } else if (judgement.mark == CellMark::Real) {
    out += "<span class=\"rule\">differs from " + html_text(reference.source->name) + "</span>";
  } else if (judgement.mark == CellMark::Unmatched) {
    out += "<span class=\"rule\">not in " + html_text(reference.source->name) + "</span>";
  }
  return out + "</td>";
}

std::vector<std::string> row_keys(const std::vector<Column>& columns) {
  std::set<std::string> keys;
  for (const Column& column : columns) {
    for (const auto& entry : column.pins) keys.insert(entry.first);
  }
  std::vector<std::string> sorted(keys.begin(), keys.end());
  std::stable_sort(sorted.begin(), sorted.end(), natural_less);
  return sorted;
}

std::string row_number(const std::vector<Column>& columns, const std::string& key) {
  for (const Column& column : columns) {
    const auto found = column.pins.find(key);
    if (found != column.pins.end()) return found->second.front()->number;
  }
  return key;
}

std::string header(const std::vector<Column>& columns, const Column& reference) {
  std::string out = "<thead><tr><th>pin</th>";
  for (std::size_t i = 0; i < columns.size(); ++i) {
    out += "<th><span class=\"dot\" style=\"--c:" +
           std::string(source_colour(columns[i].source->name, i)) + "\"></span>" +
           html_text(columns[i].source->name);
    if (&columns[i] == &reference) out += " <span class=\"note\">(reference)</span>";
    out += "</th>";
  }
  return out + "</tr></thead>\n";
}

}  // namespace

bool natural_less(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const std::string_view x = chunk_at(a, i), y = chunk_at(b, j);
    const bool x_digits = is_digit(x.front()), y_digits = is_digit(y.front());
    if (x_digits != y_digits) return x_digits;
    const int order = x_digits ? compare_numbers(x, y) : x.compare(y);
    if (order != 0) return order < 0;
    i += x.size();
    j += y.size();
  }
  if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
  return a < b;
}

std::string pin_section(const std::vector<SourceData>& records,
                        const std::vector<Variant>& variants) {
  std::string out = "<section class=\"pins\">\n<h2>Pins side by side</h2>\n";
  std::vector<Column> columns;
  for (const SourceData& record : records) {
    if (has_pins(record)) columns.push_back(column_of(record));
  }
  if (columns.empty()) return out + "<p class=\"note\">No source has pins.</p>\n</section>\n";
  const auto named = std::find_if(columns.begin(), columns.end(),
                                  [](const Column& c) { return has_named_pins(*c.source); });
  const Column& reference = named == columns.end() ? columns.front() : *named;
  for (Column& column : columns) column.moves.emplace(reference.names, column.names);
  const std::vector<std::string> stub_sources = stub_sources_of(variants);
  out += "<table class=\"pin-table\">\n" + header(columns, reference) + "<tbody>\n";
  for (const std::string& key : row_keys(columns)) {
    out += "<tr><th>" + html_text(row_number(columns, key)) + "</th>";
    for (const Column& column : columns) out += cell(reference, column, key, stub_sources);
    out += "</tr>\n";
  }
  out +=
      "</tbody></table>\n<p class=\"pin-key\"><span class=\"cell benign\">benign</span> a "
      "different way of writing the reference's name, with the rule that accepts it "
      "<span class=\"cell real\">differs</span> a name the naming rules do not accept "
      "<span class=\"cell unmatched\">unmatched</span> a pin number only one side has</p>\n";
  return out + "</section>\n";
}

}  // namespace tessan::report
