// Pad geometry of Altium footprints from the footprint reader's pads, y turned back up.
#include "parsers/altium/altium_pad_geometry.hpp"

#include <gtest/gtest.h>

#include "support/pad_geometry_print.hpp"

namespace tessan {
namespace {

altium::Pad pad(altium::PadType type, altium::PadShape shape, altium::PadLayers layers,
                double rotation) {
  altium::Pad p;
  p.number = "1";
  p.type = type;
  p.shape = shape;
  p.layers = layers;
  p.x_mm = 1.27;
  p.y_mm = -2.54;  // the footprint reader's y points down
  p.rotation_deg = rotation;
  p.size_x_mm = 2;
  p.size_y_mm = 1;
  p.drill_mm = type == altium::PadType::ThruHole ? 0.8 : 0;
  return p;
}

TEST(AltiumPadGeometry, FromTheFootprintReadersPads) {
  using altium::PadLayers;
  using altium::PadShape;
  using altium::PadType;
  struct Case {
    altium::Pad pad;
    PadGeometry geometry;
  };
  const Case cases[] = {
      {pad(PadType::Smd, PadShape::Rect, PadLayers::Front, 0),
       {1.27, 2.54, 2, 1, 0, PadKind::Smd, 0, PadSide::Top, true, true, tessan::PadShape::Rect}},
      {pad(PadType::Smd, PadShape::RoundRect, PadLayers::Back, 90),
       {1.27, 2.54, 1, 2, 90, PadKind::Smd, 0, PadSide::Bottom, true, true,
        tessan::PadShape::Rounded}},
      {pad(PadType::ThruHole, PadShape::Oval, PadLayers::AllLayers, 270),
       {1.27, 2.54, 1, 2, 270, PadKind::PlatedHole, 0.8, PadSide::Both, true, true,
        tessan::PadShape::Oval}},
      {pad(PadType::ThruHole, PadShape::Circle, PadLayers::AllLayers, 0),
       {1.27, 2.54, 2, 1, 0, PadKind::PlatedHole, 0.8, PadSide::Both, true, true,
        tessan::PadShape::Circle}},
  };
  for (const auto& c : cases) EXPECT_EQ(pad_geometry_of(c.pad), c.geometry);
}

}  // namespace
}  // namespace tessan
