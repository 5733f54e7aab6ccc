#include "parsers/altium/altium_pad_geometry.hpp"

#include "parsers/turned_pad_extent.hpp"

namespace tessan {

namespace {

PadShape shape_of(altium::PadShape shape) {
  switch (shape) {
    case altium::PadShape::Circle:
      return PadShape::Circle;
    case altium::PadShape::Oval:
      return PadShape::Oval;
    case altium::PadShape::RoundRect:
      return PadShape::Rounded;
    case altium::PadShape::Rect:
      break;
  }
  return PadShape::Rect;
}

PadSide side_of(altium::PadLayers layers) {
  switch (layers) {
    case altium::PadLayers::AllLayers:
      return PadSide::Both;
    case altium::PadLayers::Back:
      return PadSide::Bottom;
    case altium::PadLayers::Front:
      break;
  }
  return PadSide::Top;
}

}  // namespace

PadGeometry pad_geometry_of(const altium::Pad& pad) {
  PadGeometry geometry;
  geometry.x = pad.x_mm;
  geometry.y = 0.0 - pad.y_mm;
  geometry.rotation = pad.rotation_deg;
  geometry.shape = shape_of(pad.shape);
  const PadExtentXY extent =
      turned_pad_extent({pad.size_x_mm, pad.size_y_mm}, pad.rotation_deg, geometry.shape);
  geometry.w = extent.w;
  geometry.h = extent.h;
  const bool hole = pad.type == altium::PadType::ThruHole;
  geometry.kind = hole ? PadKind::PlatedHole : PadKind::Smd;
  geometry.drill = hole ? pad.drill_mm : 0.0;
  geometry.side = hole ? PadSide::Both : side_of(pad.layers);
  // Every layer set the footprint reader gives ("*", front or back) holds copper and paste.
  geometry.has_copper = true;
  geometry.has_paste = true;
  return geometry;
}

}  // namespace tessan
