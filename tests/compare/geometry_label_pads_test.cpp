// What the footprint geometry tells the label rules about one label's pads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/geometry_label_pads.hpp"

namespace tessan {
namespace {

struct LabelCase {
  std::string label;
  bool usable;
  LabelPads expected;
};

TEST(GeometryLabelPads, ReadsTheRolesOfEveryPadOfTheLabel) {
  SourceData kicad;
  kicad.name = "kicad";
  SourceData quarn;
  quarn.name = "quarn";
  const std::vector<LabelCase> cases = {
      {"34", true, LabelPads::ViaPasteHoleOrEp},  // a via and a paste pad
      {"49", true, LabelPads::ViaPasteHoleOrEp},  // the exposed pad and a hole
      {"1", true, LabelPads::Other},              // a ring pad
      {"50", true, LabelPads::Other},             // an exposed pad beside a mount pad
      {"77", true, LabelPads::NoGeometry},        // a label the footprint does not hold
      {"34", false, LabelPads::NoGeometry},       // a footprint unfit for comparing
  };
  for (const LabelCase& c : cases) {
    GeometryAnalysis geometry;
    FootprintGeometry footprint;
    footprint.source = &kicad;
    footprint.usable = c.usable;
    footprint.labels = {"1", "34", "34", "49", "49", "50", "50"};
    footprint.roles = {PadRole::Ring, PadRole::Via, PadRole::Paste, PadRole::Ep,
                       PadRole::Hole, PadRole::Ep,  PadRole::Mount};
    geometry.footprints.push_back(footprint);
    const LabelPadLookup lookup = geometry_label_pads(geometry);
    EXPECT_EQ(lookup(kicad, c.label), c.expected) << c.label << (c.usable ? "" : " unusable");
    EXPECT_EQ(lookup(quarn, c.label), LabelPads::NoGeometry) << c.label;
  }
}

}  // namespace
}  // namespace tessan
