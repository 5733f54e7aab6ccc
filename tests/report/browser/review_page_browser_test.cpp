// The review pages of the example chips and of a hostile chip directory, opened in headless
// Chromium: they load without a console message, draw one pad shape per pad of each source,
// show the status `check` gives, and show hostile names as text without running anything.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/check/chip_builder.hpp"
#include "parsers/eagle_reader.hpp"
#include "parsers/kicad/kicad_reader.hpp"
#include "parsers/quarn_reader.hpp"
#include "report/browser/headless_browser.hpp"
#include "report/review_fixtures.hpp"

namespace tessan::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(TESSAN_SOURCE_DIR) / "examples";

class ReviewPageInBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(have_browser()) << "chromium is not installed; scripts/setup.sh installs it";
  }

  // Writes the chip directory's page and renders it.
  Rendering render(const fs::path& chip) {
    const auto page = chip / "page.html";
    const auto run = run_tessan({"report", chip.string(), "--out", page.string()});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    const Rendering rendering = render_page(page, root_.path() / "shot.png");
    EXPECT_TRUE(rendering.finished) << rendering.diagnostics;
    EXPECT_EQ(rendering.console, "");
    const std::string png = read_file(root_.path() / "shot.png");
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_GT(png.size(), 20000u);
    return rendering;
  }

  TempDir root_;
};

// The status `check` gives the chip directory named `mpn`.
std::string check_status(const fs::path& chip, const std::string& mpn) {
  (void)run_tessan({"check", "--force", "--json-only", chip.string()});
  const auto document = nlohmann::json::parse(read_file(chip / (mpn + "-tessan.result.json")));
  return document["status"].get<std::string>();
}

std::string badge(const std::string& dom) {
  const std::string open = "id=\"status\">";
  const auto start = dom.find(open);
  if (start == std::string::npos) return "";
  return dom.substr(start + open.size(), dom.find('<', start) - start - open.size());
}

// The pad shapes the overlay draws for the source named `name`.
std::size_t overlay_pads(const std::string& dom, const std::string& name) {
  const std::string overlay = between(dom, "class=\"overlay\"", "</svg>");
  return count_of(between(overlay, "data-source=\"" + name + "\"", "</g>"), "class=\"pad");
}

std::vector<SourceData> example_sources(const fs::path& chip, const std::string& mpn) {
  std::vector<SourceData> records;
  const auto keep = [&](Result<SourceData> read) {
    if (read) records.push_back(std::move(read).value());
  };
  keep(read_quarn(chip / (mpn + "-symbol.extracted.json"),
                  chip / (mpn + "-footprint.extracted.json")));
  keep(read_kicad(chip / (mpn + ".kicad_sym"), chip / (mpn + ".kicad_mod")));
  keep(read_eagle(chip / (mpn + ".lbr")));
  return records;
}

class ExamplePage : public ReviewPageInBrowser,
                    public ::testing::WithParamInterface<std::string> {};

TEST_P(ExamplePage, LoadsCleanlyWithEveryPadAndTheStatusOfCheck) {
  const fs::path chip = root_.path() / GetParam();
  fs::copy(kExamples / GetParam(), chip);
  const Rendering rendering = render(chip);

  EXPECT_EQ(badge(rendering.dom), check_status(chip, GetParam()));
  for (const SourceData& source : example_sources(chip, GetParam())) {
    if (source.pad_geometry) {
      EXPECT_EQ(overlay_pads(rendering.dom, source.name), source.pads.size()) << source.name;
    } else {
      EXPECT_EQ(overlay_pads(rendering.dom, source.name), 0u) << source.name;
      EXPECT_NE(rendering.dom.find(source.name + " <span class=\"note\">no geometry</span>"),
                std::string::npos)
          << source.name;
    }
  }
  EXPECT_NE(rendering.dom.find("Pins side by side"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExamplePage,
                         ::testing::Values("DRV8837DSGR", "LM358DR", "LMV321IDBVR"));

// A name as the KiCad S-expression and the EAGLE XML attribute write it.
std::string kicad_quoted(const std::string& name) {
  std::string out;
  for (const char c : name)
    out += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
  return out;
}

std::string xml_quoted(const std::string& name) {
  std::string out;
  for (const char c : name) {
    if (c == '"')
      out += "&quot;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '&')
      out += "&amp;";
    else
      out += c;
  }
  return out;
}

TEST_F(ReviewPageInBrowser, HostileNamesAppearAsTextAndNothingRuns) {
  const std::vector<PinSpec> pins = {{"1", "<script>alert(1)</script>"},
                                     {"2", "\"><img src=x onerror=alert(1)>"},
                                     {"3", "<script>document.title='ran'</script>"},
                                     {"4", "GND"}};
  std::vector<PinSpec> kicad_pins, eagle_pins;
  for (const PinSpec& pin : pins) {
    kicad_pins.push_back({pin.number, kicad_quoted(pin.name)});
    eagle_pins.push_back({pin.number, xml_quoted(pin.name)});
  }
  ChipDir chip(root_, "<b onmouseover=x>X");
  chip.quarn(pins, numbered(1, 4), "<style>body{display:none}</style>")
      .kicad(kicad_pins, numbered(1, 4), "SOIC-4")
      .eagle(eagle_pins, numbered(1, 4), "SOIC4");
  const Rendering rendering = render(chip.path());

  EXPECT_EQ(rendering.dom.find("<script"), std::string::npos);
  EXPECT_EQ(rendering.dom.find("<img"), std::string::npos);
  EXPECT_EQ(rendering.dom.find("<b "), std::string::npos);
  EXPECT_EQ(rendering.dom.find("<style>body"), std::string::npos);
  EXPECT_EQ(rendering.dom.find(">ran<"), std::string::npos);
  EXPECT_GE(count_of(rendering.dom, "&lt;script&gt;alert(1)&lt;/script&gt;"), 3u);
  EXPECT_GE(count_of(rendering.dom, "\"&gt;&lt;img src=x onerror=alert(1)&gt;"), 3u);
  EXPECT_NE(rendering.dom.find("<title>&lt;b onmouseover=x&gt;X \u2014 tessan review</title>"),
            std::string::npos);
  EXPECT_EQ(badge(rendering.dom), check_status(chip.path(), chip.mpn()));
}

}  // namespace
}  // namespace tessan::testing
