#include "report/page_head.hpp"

#include "report/html_text.hpp"

namespace tessan::report {

namespace {

const SourceData* record_of(const std::vector<SourceData>& records, const std::string& name) {
  for (const SourceData& record : records) {
    if (record.name == name) return &record;
  }
  return nullptr;
}

std::string files_html(const SourceOrigin& origin) {
  std::string out;
  for (const std::string& file : origin.files) {
    out += (out.empty() ? "" : "<br>") + std::string("<code>") + html_text(file) + "</code>";
  }
  return out;
}

std::string state_html(const SourceOrigin& origin, const SourceData* record) {
  if (record != nullptr) {
    return "<span class=\"state-read\">read: " + std::to_string(record->pins.size()) + " pins, " +
           std::to_string(record->pads.size()) + " pads" +
           (record->package ? ", " + html_text(record->package->package_name) : "") + "</span>";
  }
  if (!origin.failure.empty()) {
    return "<span class=\"state-failed\">failed: " + html_text(origin.failure) + "</span>";
  }
  if (!origin.files.empty()) return "<span class=\"state-missing\">not read</span>";
  return "<span class=\"state-missing\">missing: no file found</span>";
}

std::string source_row(const SourceOrigin& origin, const std::vector<SourceData>& records) {
  return "<tr><th>" + html_text(origin.source) + "</th><td>" +
         state_html(origin, record_of(records, origin.source)) + "</td><td>" + files_html(origin) +
         "</td></tr>\n";
}

}  // namespace

std::string page_head(const ResultDoc& document, const std::vector<SourceData>& records,
                      const ReviewInput& input) {
  const std::string status(status_text(document.status));
  std::string out = "<header>\n<h1>" + html_text(document.mpn) +
                    "</h1><span class=\"badge status-" + status + "\" id=\"status\">" + status +
                    "</span>\n<p class=\"summary\">" + html_text(document.summary) + "</p>\n";
  if (!input.chip_dir.empty()) {
    out += "<p class=\"note\">chip directory <code>" + html_text(input.chip_dir) + "</code></p>\n";
  }
  out += "<table class=\"sources\">\n";
  for (const SourceOrigin& origin : input.origins) out += source_row(origin, records);
  return out + "</table>\n</header>\n";
}

}  // namespace tessan::report
