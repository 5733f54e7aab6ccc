// The whole page: self-contained, loading and running nothing, every library text escaped,
// the head and the document's sections in order.
#include <gtest/gtest.h>

#include <regex>

#include "compare/compare_sources.hpp"
#include "report/review_fixtures.hpp"
#include "report/review_page.hpp"

namespace tessan::testing {
namespace {

const std::string kScript = "<script>alert(1)</script>";
const std::string kImage = "\"><img src=x onerror=alert(1)>";

ResultDoc hostile_document() {
  ResultDoc doc;
  doc.mpn = kScript;
  doc.status = Status::Divergent;
  doc.summary = "summary " + kImage;
  doc.axes = {AxisOutcome{"pin_names", Verdict::Disagree, {{"kicad", kScript}}, {kImage}, 2}};
  doc.variants = {NamingConventionMismatch{{kScript}}};
  doc.hints = {RefetchLibrarySource{"kicad_sym", "kicad", kImage, {"https://a", kScript}, "x"},
               SourceParseFailed{"eagle", "/chips/" + kScript + ".lbr", kImage}};
  return doc;
}

std::vector<SourceData> hostile_records() {
  std::vector<SourceData> records = {soic8("kicad"), soic8("quarn")};
  records[0].pins[0].name = kScript;
  records[0].pads[1] = kImage;
  records[0].package->package_name = kImage;
  records[1].pins[0].name = kImage;
  records[1].pad_geometry.reset();
  return records;
}

std::string hostile_page() {
  const ResultDoc doc = hostile_document();
  const std::vector<SourceData> records = hostile_records();
  const GeometryAnalysis geometry = geometry_of(records);
  return report::render_review_page({&doc,
                                     &records,
                                     &geometry,
                                     {{"kicad", {"/chips/" + kScript}, ""}, {"eagle", {}, kImage}},
                                     ""});
}

TEST(ReviewPage, EscapesEveryLibraryText) {
  const std::string page = hostile_page();
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_EQ(page.find("<img"), std::string::npos);
  EXPECT_GE(count_of(page, "&lt;script&gt;alert(1)&lt;/script&gt;"), 8u);
  EXPECT_GE(count_of(page, "&quot;&gt;&lt;img src=x onerror=alert(1)&gt;"), 7u);
}

TEST(ReviewPage, ForbidsScriptsAndRemoteLoadsAndLinksNothing) {
  const std::string page = hostile_page();
  EXPECT_NE(page.find("<meta http-equiv=\"Content-Security-Policy\" content=\"default-src "
                      "'none'; script-src 'none';"),
            std::string::npos);
  // The only URL is the SVG namespace (and a suggested source, shown as text): no element
  // refers to another resource.
  std::string rest = page;
  for (const std::string allowed : {"http://www.w3.org/2000/svg", "https://a"}) {
    for (auto at = rest.find(allowed); at != std::string::npos; at = rest.find(allowed)) {
      rest.erase(at, allowed.size());
    }
  }
  EXPECT_FALSE(std::regex_search(rest, std::regex(R"((href=|src="|url\(|@import|https?:))")));
}

TEST(ReviewPage, HeadShowsTheStatusSummaryAndEverySourceOrigin) {
  const std::string page = hostile_page();
  EXPECT_NE(page.find("<span class=\"badge status-divergent\" id=\"status\">divergent</span>"),
            std::string::npos);
  EXPECT_NE(page.find("<p class=\"summary\">summary &quot;&gt;"), std::string::npos);
  EXPECT_NE(page.find("<tr><th>kicad</th><td><span class=\"state-read\">read: 8 pins, 8 pads, "),
            std::string::npos);
  EXPECT_NE(page.find("<tr><th>eagle</th><td><span class=\"state-failed\">failed: &quot;"),
            std::string::npos);
}

TEST(ReviewPage, SectionsFollowTheDocumentOrderWithSuggestedSourcesAsAList) {
  const std::string page = hostile_page();
  std::vector<std::size_t> at;
  for (const char* heading : {"<header>", "Footprints overlaid</h2>", "Pins side by side</h2>",
                              "<h2>Axes</h2>", "<h2>Variants</h2>", "<h2>Hints</h2>"}) {
    at.push_back(page.find(heading));
    EXPECT_NE(at.back(), std::string::npos) << heading;
  }
  EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
  EXPECT_LT(page.find("<h3>refetch_library_source</h3>"),
            page.find("<h3>source_parse_failed</h3>"));
  EXPECT_NE(page.find("<dt>suggested_sources</dt><dd><ul class=\"values\"><li>https://a</li><li>"),
            std::string::npos);
  EXPECT_NE(page.find("<h3>naming_convention_mismatch</h3>"), std::string::npos);
}

TEST(ReviewPage, RendersFromTheComparisonOfRealRecords) {
  const std::vector<SourceData> records = {soic8("kicad"), soic8("eagle", 5.0)};
  const ComparisonReport comparison = compare_sources(records);
  ResultDoc doc;
  doc.axes = comparison.axes;
  const std::string page =
      report::render_review_page({&doc, &records, &comparison.geometry, {}, ""});
  EXPECT_EQ(count_of(page, "<tr class=\"verdict-"), 7u);
  EXPECT_EQ(count_of(page, "<rect class=\"pad"), 32u);  // 16 pads, overlaid and alone
}

}  // namespace
}  // namespace tessan::testing
