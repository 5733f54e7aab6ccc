#include "report/review_page.hpp"

#include "report/document_sections.hpp"
#include "report/footprint_section.hpp"
#include "report/html_text.hpp"
#include "report/page_head.hpp"
#include "report/page_style.hpp"
#include "report/pin_table.hpp"

namespace tessan::report {

namespace {

// Nothing may load or run: the page's own inline stylesheet is all it uses.
constexpr std::string_view kContentPolicy =
    "default-src 'none'; script-src 'none'; style-src 'unsafe-inline'; img-src 'none'; "
    "font-src 'none'; connect-src 'none'; object-src 'none'; base-uri 'none'; "
    "form-action 'none'";

std::string document_head(const ResultDoc& document) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"" +
         std::string(kContentPolicy) +
         "\">\n<meta name=\"referrer\" content=\"no-referrer\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
         html_text(document.mpn) + " \u2014 tessan review</title>\n<style>" +
         std::string(page_style()) + "</style>\n</head>\n";
}

}  // namespace

std::string render_review_page(const ReviewInput& input) {
  static const std::vector<SourceData> kNoRecords;
  static const GeometryAnalysis kNoGeometry;
  static const ResultDoc kNoDocument;
  const ResultDoc& document = input.document ? *input.document : kNoDocument;
  const auto& records = input.records ? *input.records : kNoRecords;
  const auto& geometry = input.geometry ? *input.geometry : kNoGeometry;
  return document_head(document) + "<body>\n<main>\n" + page_head(document, records, input) +
         footprint_section(records, geometry) + pin_section(records, document.variants) +
         axes_section(document) + variants_section(document) + hints_section(document) +
         "<footer>tessan " + std::string(kVersion) + "</footer>\n</main>\n</body>\n</html>\n";
}

}  // namespace tessan::report
