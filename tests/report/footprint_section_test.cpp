// The footprints drawing: one shape per pad per source, shapes and holes as the pads are made,
// roles and conflicts marked, and a legend that names the sources without geometry.
#include <gtest/gtest.h>

#include <limits>

#include "report/footprint_section.hpp"
#include "report/review_fixtures.hpp"

namespace tessan::testing {
namespace {

using report::footprint_section;

// The overlay's group of the source named `name`.
std::string overlay_group(const std::string& page, const std::string& name) {
  const std::string overlay =
      between(page, "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"overlay\"", "</svg>");
  return between(overlay, "data-source=\"" + name + "\"", "</g>");
}

TEST(FootprintSection, DrawsOneShapePerPadOfEachSourceAndNamesSourcesWithoutGeometry) {
  std::vector<SourceData> records = {soic8("kicad"), soic8("eagle", 5.0), soic8("quarn")};
  records[2].pad_geometry.reset();
  records[1].pads.push_back("9");
  records[1].pad_geometry->push_back(PadGeometry{0, 0, 2, 3});
  const GeometryAnalysis geometry = geometry_of(records);
  const std::string html = footprint_section(records, geometry);

  EXPECT_EQ(count_of(overlay_group(html, "kicad"), "class=\"pad"), 8u);
  EXPECT_EQ(count_of(overlay_group(html, "eagle"), "class=\"pad"), 9u);
  EXPECT_EQ(overlay_group(html, "quarn"), "");
  EXPECT_NE(html.find("quarn <span class=\"note\">no geometry</span>"), std::string::npos);
  EXPECT_NE(html.find("<input type=\"checkbox\" class=\"toggle\" id=\"fp-show-1\" checked"),
            std::string::npos);
  EXPECT_EQ(count_of(html, "class=\"fp-single\""), 2u);
}

struct ShapeCase {
  PadShape shape;
  double drill;
  std::string element;
};

class DrawsPadShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(DrawsPadShape, AsTheShapeElement) {
  SourceData source = soic8("kicad");
  source.pads = {"1"};
  source.pad_geometry =
      std::vector<PadGeometry>{PadGeometry{1, 2, 2, 1, 0, PadKind::PlatedHole, GetParam().drill,
                                           PadSide::Both, true, true, GetParam().shape}};
  const std::vector<SourceData> records = {source};
  const std::string group =
      overlay_group(footprint_section(records, geometry_of(records)), "kicad");
  EXPECT_NE(group.find(GetParam().element), std::string::npos) << group;
  EXPECT_EQ(group.find("class=\"drill\"") != std::string::npos, GetParam().drill > 0) << group;
}

// Centre (1, 2) in the model is (1, -2) in SVG, whose y points down.
INSTANTIATE_TEST_SUITE_P(
    Shapes, DrawsPadShape,
    ::testing::Values(ShapeCase{PadShape::Rect, 0,
                                "<rect class=\"pad\" x=\"0\" y=\"-2.5\" width=\"2\" height=\"1\">"},
                      ShapeCase{PadShape::Rounded, 0, "height=\"1\" rx=\"0.25\">"},
                      ShapeCase{PadShape::Oval, 0.6, "height=\"1\" rx=\"0.5\">"},
                      ShapeCase{PadShape::Circle, 0.6,
                                "<circle class=\"pad\" cx=\"1\" cy=\"-2\" r=\"0.5\">"}));

TEST(FootprintSection, DrawsViasLighterWithTheirRoleAndOutlinesConflicts) {
  const std::vector<SourceData> records = {soic8("kicad")};
  GeometryAnalysis geometry = geometry_of(records);
  geometry.footprints[0].roles[0] = PadRole::Via;
  geometry.footprints[0].roles[1] = PadRole::Mount;
  geometry.footprints[0].in_conflict[2] = true;
  const std::string group = overlay_group(footprint_section(records, geometry), "kicad");
  EXPECT_NE(group.find("class=\"pad light\""), std::string::npos);
  EXPECT_NE(group.find("<title>via: kicad pad \u201c1\u201d, 1.5 \u00d7 0.6 mm</title>"),
            std::string::npos);
  EXPECT_NE(group.find("<title>mounting pad: kicad pad \u201c2\u201d"), std::string::npos);
  EXPECT_NE(group.find("class=\"pad conflict\""), std::string::npos);
  EXPECT_NE(group.find("\u201c3\u201d, 1.5 \u00d7 0.6 mm \u2014 in conflict</title>"),
            std::string::npos);
}

TEST(FootprintSection, LabelsPadsOnceWhereSourcesAgreeAndCarriesAScaleBar) {
  std::vector<SourceData> records = {soic8("kicad"), soic8("eagle")};
  records[1].pads[0] = "8";
  const std::string html = footprint_section(records, geometry_of(records));
  const std::string kicad = overlay_group(html, "kicad");
  EXPECT_EQ(count_of(kicad, "<text class=\"label shared\""), 7u);
  EXPECT_EQ(count_of(kicad, "<text class=\"label\""), 1u);  // pad 1, which eagle calls 8
  EXPECT_EQ(count_of(overlay_group(html, "eagle"), "<text class=\"label\""), 1u);
  EXPECT_NE(html.find(" mm</text></g>"), std::string::npos);
  // Only the overlay carries labels, not the small drawings beside it.
  EXPECT_EQ(count_of(html, "<text class=\"label"), 9u);
}

TEST(FootprintSection, KeepsTheDrawingValidWhatever) {
  std::vector<SourceData> records = {soic8("kicad")};
  (*records[0].pad_geometry)[0].w = -2;
  (*records[0].pad_geometry)[1].h = std::numeric_limits<double>::quiet_NaN();
  const std::string html = footprint_section(records, geometry_of(records));
  EXPECT_EQ(html.find("=\"-2\""), std::string::npos);
  EXPECT_EQ(html.find("nan"), std::string::npos);
  EXPECT_EQ(count_of(overlay_group(html, "kicad"), "class=\"pad"), 8u);
}

}  // namespace
}  // namespace tessan::testing
