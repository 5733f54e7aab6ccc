// Decoding of pad records: designators, units, rounding, shapes, types, layers and rotation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "altium_pcblib/pad_record.hpp"
#include "pad_builders.hpp"

namespace {

using namespace pcblib_test;
using altium::PadLayers;
using altium::PadShape;
using altium::PadType;
using tessan::testing::pcb_pad_record;

// Frames and decodes one record, as the footprint reader does.
std::optional<altium::Pad> decode(const Bytes& record) {
  const auto records = altium::walk_pcb_records(record, 0);
  return records.size() == 1 ? altium::decode_pad_record(records.front()) : std::nullopt;
}

altium::Pad decode_pad(const PcbPad& fields) {
  const auto pad = decode(pcb_pad_record(fields));
  EXPECT_TRUE(pad.has_value());
  return pad.value_or(altium::Pad{});
}

TEST(PadDesignator, IsTheTextAfterTheLengthByteCutAtZero) {
  const std::pair<Bytes, std::string> cases[] = {
      {{2, '1', '2'}, "12"},
      {{}, "?"},
      {{0}, ""},
      {{2, 'A', 'B'}, "AB"},
      {{3, 'A', 'B'}, "?"},  // length must be below the block's
      {{9, 'A'}, "?"},
      {{3, 'A', 0, 'B'}, "A"},
      {{1, '7', '8', '9'}, "7"},
      {{2, 0xCE, 0xA9}, "\u03A9"},  // UTF-8 kept
      {{2, 0xB5, '1'}, "\u00B51"},  // otherwise Windows-1252
  };
  for (const auto& [block, expected] : cases) {
    EXPECT_EQ(altium::decode_pad_designator(block), expected) << ::testing::PrintToString(block);
  }
}

TEST(PadGeometry, ConvertsUnitsTurnsTheYAxisOverAndRounds) {
  PcbPad fields = make_pad("1");
  fields.x = 10000;
  fields.y = 10000;
  fields.size_x = 60000;
  fields.size_y = 40000;
  altium::Pad pad = decode_pad(fields);
  EXPECT_EQ(std::vector({pad.x_mm, pad.y_mm, pad.rotation_deg, pad.size_x_mm, pad.size_y_mm}),
            std::vector({0.0254, -0.0254, 0.0, 0.1524, 0.1016}));

  fields.x = -3937000;
  fields.y = std::numeric_limits<std::int32_t>::min();
  fields.size_x = 0xFFFFFFFF;
  fields.size_y = 0;
  pad = decode_pad(fields);
  EXPECT_DOUBLE_EQ(pad.x_mm, -9.99998);
  EXPECT_DOUBLE_EQ(pad.y_mm, 5454.608466);
  EXPECT_DOUBLE_EQ(pad.size_x_mm, 10909.216929);
  EXPECT_FALSE(std::signbit(decode_pad(make_pad("1")).y_mm));  // y = 0 is not written as -0
}

TEST(Rounding, HalvesGoAwayFromZero) {
  const std::tuple<double, int, double> cases[] = {
      {0.5, 0, 1.0},      {-0.5, 0, -1.0},      {2.5, 0, 3.0},        {0.125, 2, 0.13},
      {-0.125, 2, -0.13}, {0.03125, 4, 0.0313}, {1.00000049, 6, 1.0}, {-1e-9, 6, 0.0}};
  for (const auto& [value, decimals, expected] : cases) {
    const double rounded = altium::round_to_decimals(value, decimals);
    EXPECT_EQ(rounded, expected) << value;
    EXPECT_EQ(std::signbit(rounded), std::signbit(expected)) << value;
  }
}

TEST(PadShape, FollowsTheShapeCodeAndForRoundPadsTheSizes) {
  // 300 units are 0.000762 mm, below the circle tolerance; 400 units are 0.001016 mm.
  const std::tuple<std::uint8_t, std::uint32_t, std::uint32_t, PadShape> cases[] = {
      {1, 60000, 60000, PadShape::Circle},    {1, 60000, 40000, PadShape::Oval},
      {1, 60000, 60300, PadShape::Circle},    {1, 60000, 60400, PadShape::Oval},
      {2, 60000, 60000, PadShape::Rect},      {3, 60000, 40000, PadShape::Rect},
      {9, 60000, 40000, PadShape::RoundRect}, {0, 60000, 60000, PadShape::Rect}};
  for (const auto& [code, size_x, size_y, expected] : cases) {
    PcbPad fields = make_pad("1");
    fields.shape = code;
    fields.size_x = size_x;
    fields.size_y = size_y;
    EXPECT_EQ(decode_pad(fields).shape, expected) << int{code} << " " << size_y;
  }
}

TEST(PadType, FollowsTheHoleAndForSurfacePadsTheLayer) {
  const std::tuple<std::uint8_t, std::uint32_t, PadType, PadLayers> cases[] = {
      {1, 0, PadType::Smd, PadLayers::Front},
      {32, 0, PadType::Smd, PadLayers::Back},
      {74, 0, PadType::Smd, PadLayers::Front},
      {32, 39370, PadType::ThruHole, PadLayers::AllLayers},
      {74, 1, PadType::ThruHole, PadLayers::AllLayers}};
  for (const auto& [layer, hole, type, layers] : cases) {
    PcbPad fields = make_pad("1");
    fields.layer = layer;
    fields.hole = hole;
    const altium::Pad pad = decode_pad(fields);
    EXPECT_EQ(pad.type, type) << int{layer} << " " << hole;
    EXPECT_EQ(pad.layers, layers) << int{layer} << " " << hole;
    EXPECT_DOUBLE_EQ(pad.drill_mm, hole * 2.54e-6);
  }
}

TEST(PadRotation, IsKeptOnlyWhenPresentFiniteAndBelow360) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::tuple<double, std::size_t, double> cases[] = {{90, 60, 90},
                                                           {-45.5, 60, -45.5},
                                                           {12.345678, 60, 12.3457},
                                                           {360.0000005, 60, 360},
                                                           {360.00001, 60, 0},
                                                           {450, 60, 0},
                                                           {-720, 60, 0},
                                                           {inf, 60, 0},
                                                           {std::nan(""), 60, 0},
                                                           {90, 59, 0},
                                                           {90, 50, 0},
                                                           {180, 200, 180}};
  for (const auto& [stored, geometry_size, expected] : cases) {
    PcbPad fields = make_pad("1");
    fields.rotation = stored;
    fields.geometry_size = geometry_size;
    EXPECT_DOUBLE_EQ(decode_pad(fields).rotation_deg, expected) << stored << " " << geometry_size;
  }
}

TEST(PadRecord, GeometryShorterThan50BytesYieldsNoPad) {
  PcbPad fields = make_pad("1");
  fields.geometry_size = 49;
  EXPECT_FALSE(decode(pcb_pad_record(fields)).has_value());
  fields.geometry_size = 50;
  EXPECT_TRUE(decode(pcb_pad_record(fields)).has_value());
}

}  // namespace
