#include "report/document_sections.hpp"

#include <filesystem>
#include <variant>

#include "report/html_text.hpp"
#include "result_doc_fields.hpp"

namespace tessan::report {

namespace {

std::string list(const std::vector<std::string>& items, const char* css_class) {
  if (items.empty()) return "<span class=\"note\">none</span>";
  std::string out = "<ul class=\"" + std::string(css_class) + "\">";
  for (const std::string& item : items) out += "<li>" + html_text(item) + "</li>";
  return out + "</ul>";
}

// One <dt>/<dd> pair per field of a variant or hint record.
struct FieldRows {
  std::string& out;

  void row(std::string_view key, const std::string& value_html) const {
    out += "<dt>" + html_text(key) + "</dt><dd>" + value_html + "</dd>";
  }
  void operator()(std::string_view key, const std::string& text) const {
    row(key, html_text(text));
  }
  void operator()(std::string_view key, const std::filesystem::path& path) const {
    row(key, "<code>" + html_text(path.string()) + "</code>");
  }
  void operator()(std::string_view key, std::uint32_t number) const {
    row(key, std::to_string(number));
  }
  void operator()(std::string_view key, const std::vector<std::string>& texts) const {
    row(key, list(texts, "values"));
  }
};

template <class Tagged>
std::string card(std::string_view tag, const Tagged& tagged) {
  std::string fields;
  std::visit([&](const auto& record) { fields::each_field(record, FieldRows{fields}); }, tagged);
  return "<article class=\"card\"><h3>" + html_text(tag) + "</h3><dl>" + fields +
         "</dl></article>\n";
}

std::string axis_values(const AxisOutcome& axis) {
  if (axis.values.empty()) return "<span class=\"note\">none</span>";
  std::string out = "<dl class=\"axis-values\">";
  for (const auto& [source, value] : axis.values) {
    out += "<dt>" + html_text(source) + "</dt><dd>" + html_text(value) + "</dd>";
  }
  return out + "</dl>";
}

std::string axis_row(const AxisOutcome& axis) {
  const std::string verdict(verdict_text(axis.verdict));
  return "<tr class=\"verdict-" + verdict + "\"><th>" + html_text(axis.axis) +
         "</th><td><span class=\"verdict\">" + verdict + "</span></td><td>" + axis_values(axis) +
         "</td><td>" + (axis.conflicts.empty() ? "" : list(axis.conflicts, "conflicts")) +
         "</td></tr>\n";
}

}  // namespace

std::string axes_section(const ResultDoc& document) {
  std::string out = "<section class=\"axes\">\n<h2>Axes</h2>\n";
  if (document.axes.empty()) {
    return out + "<p class=\"note\">No comparison: fewer than two sources could be read.</p>\n" +
           "</section>\n";
  }
  out +=
      "<table class=\"axis-table\">\n<thead><tr><th>axis</th><th>verdict</th><th>values</th>"
      "<th>conflicts</th></tr></thead>\n<tbody>\n";
  for (const AxisOutcome& axis : document.axes) out += axis_row(axis);
  return out + "</tbody></table>\n</section>\n";
}

std::string variants_section(const ResultDoc& document) {
  std::string out = "<section class=\"variants\">\n<h2>Variants</h2>\n";
  if (document.variants.empty()) return out + "<p class=\"note\">None.</p>\n</section>\n";
  out += "<div class=\"cards\">\n";
  for (const Variant& variant : document.variants) out += card(variant_kind(variant), variant);
  return out + "</div>\n</section>\n";
}

std::string hints_section(const ResultDoc& document) {
  std::string out = "<section class=\"hints\">\n<h2>Hints</h2>\n";
  if (document.hints.empty()) return out + "<p class=\"note\">None.</p>\n</section>\n";
  out += "<div class=\"cards\">\n";
  for (const Hint& hint : document.hints) out += card(hint_action(hint), hint);
  return out + "</div>\n</section>\n";
}

}  // namespace tessan::report
