// Decoding of pad records: designators, geometry, units, shapes, types, layers and rotation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "altium_pcblib/pad_record.hpp"
#include "footprint_stream_builder.hpp"

namespace {

using namespace pcblib_test;
using altium::PadLayers;
using altium::PadShape;
using altium::PadType;

// Frames one record the way the footprint reader does.
std::optional<altium::Pad> decode(const Bytes& record_bytes) {
  const auto records = altium::walk_pcb_records(record_bytes, 0);
  if (records.size() != 1) return std::nullopt;
  return altium::decode_pad_record(records.front());
}

altium::Pad decode_pad(const PadGeometry& geometry) {
  const auto pad = decode(pad_record("1", geometry));
  EXPECT_TRUE(pad.has_value());
  return pad.value_or(altium::Pad{});
}

struct DesignatorCase {
  const char* label;
  Bytes sub_block;
  std::string expected;
};

class PadDesignator : public ::testing::TestWithParam<DesignatorCase> {};

TEST_P(PadDesignator, IsDecoded) {
  EXPECT_EQ(altium::decode_pad_designator(GetParam().sub_block), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PadDesignator,
    ::testing::Values(DesignatorCase{"plain", {2, '1', '2'}, "12"},
                      DesignatorCase{"empty_sub_block", {}, "?"},
                      DesignatorCase{"zero_length", {0}, ""},
                      DesignatorCase{"length_fills_block", {2, 'A', 'B'}, "AB"},
                      DesignatorCase{"length_equals_block", {3, 'A', 'B'}, "?"},
                      DesignatorCase{"length_beyond_block", {9, 'A'}, "?"},
                      DesignatorCase{"cut_at_zero_byte", {3, 'A', 0, 'B'}, "A"},
                      DesignatorCase{"trailing_bytes_ignored", {1, '7', '8', '9'}, "7"},
                      DesignatorCase{"utf8_kept", {2, 0xCE, 0xA9}, "\u03A9"},
                      DesignatorCase{"windows_1252", {2, 0xB5, '1'}, "\u00B51"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PadGeometryDecoding, ConvertsUnitsAndTurnsTheYAxisOver) {
  const altium::Pad pad = decode_pad({.x = 10000, .y = 10000, .size_x = 60000, .size_y = 40000});
  EXPECT_DOUBLE_EQ(pad.x_mm, 0.0254);
  EXPECT_DOUBLE_EQ(pad.y_mm, -0.0254);
  EXPECT_DOUBLE_EQ(pad.rotation_deg, 0);
  EXPECT_DOUBLE_EQ(pad.size_x_mm, 0.1524);
  EXPECT_DOUBLE_EQ(pad.size_y_mm, 0.1016);
}

TEST(PadGeometryDecoding, NegativeCoordinatesAndExtremeValues) {
  const altium::Pad pad = decode_pad({.x = -3937000,
                                      .y = std::numeric_limits<std::int32_t>::min(),
                                      .size_x = 0xFFFFFFFF,
                                      .size_y = 0});
  EXPECT_DOUBLE_EQ(pad.x_mm, -9.99998);
  EXPECT_DOUBLE_EQ(pad.y_mm, 5454.608466);
  EXPECT_DOUBLE_EQ(pad.size_x_mm, 10909.216929);
  EXPECT_DOUBLE_EQ(pad.size_y_mm, 0);
}

TEST(PadGeometryDecoding, ZeroIsNeverNegative) {
  const altium::Pad pad = decode_pad({.x = 0, .y = 0});
  EXPECT_FALSE(std::signbit(pad.y_mm));
  EXPECT_FALSE(std::signbit(altium::round_to_decimals(-1e-9, 6)));
}

TEST(Rounding, HalvesGoAwayFromZero) {
  EXPECT_EQ(altium::round_to_decimals(0.5, 0), 1.0);
  EXPECT_EQ(altium::round_to_decimals(-0.5, 0), -1.0);
  EXPECT_EQ(altium::round_to_decimals(2.5, 0), 3.0);
  EXPECT_EQ(altium::round_to_decimals(0.125, 2), 0.13);
  EXPECT_EQ(altium::round_to_decimals(-0.125, 2), -0.13);
  EXPECT_EQ(altium::round_to_decimals(1.00000049, 6), 1.0);
  EXPECT_EQ(altium::round_to_decimals(0.03125, 4), 0.0313);
  EXPECT_EQ(altium::round_to_decimals(-0.03125, 4), -0.0313);
}

struct ShapeCase {
  const char* label;
  std::uint8_t code;
  std::uint32_t size_x;
  std::uint32_t size_y;
  PadShape expected;
};

class PadShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(PadShapes, FollowTheShapeCode) {
  const auto& c = GetParam();
  EXPECT_EQ(decode_pad({.size_x = c.size_x, .size_y = c.size_y, .shape = c.code}).shape,
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PadShapes,
    ::testing::Values(ShapeCase{"round_equal_sizes", 1, 60000, 60000, PadShape::Circle},
                      ShapeCase{"round_unequal_sizes", 1, 60000, 40000, PadShape::Oval},
                      // 300 units are 0.000762 mm, below the tolerance; 400 are 0.001016 mm.
                      ShapeCase{"round_within_tolerance", 1, 60000, 60300, PadShape::Circle},
                      ShapeCase{"round_beyond_tolerance", 1, 60000, 60400, PadShape::Oval},
                      ShapeCase{"rectangle", 2, 60000, 60000, PadShape::Rect},
                      ShapeCase{"octagon", 3, 60000, 40000, PadShape::Rect},
                      ShapeCase{"rounded_rectangle", 9, 60000, 40000, PadShape::RoundRect},
                      ShapeCase{"unknown_code", 0, 60000, 60000, PadShape::Rect}),
    [](const auto& info) { return std::string(info.param.label); });

struct TypeCase {
  const char* label;
  std::uint8_t layer;
  std::uint32_t hole;
  PadType type;
  PadLayers layers;
};

class PadTypes : public ::testing::TestWithParam<TypeCase> {};

TEST_P(PadTypes, FollowTheHoleAndTheLayer) {
  const auto& c = GetParam();
  const altium::Pad pad = decode_pad({.layer = c.layer, .hole = c.hole});
  EXPECT_EQ(pad.type, c.type);
  EXPECT_EQ(pad.layers, c.layers);
  EXPECT_DOUBLE_EQ(pad.drill_mm, c.hole * 2.54e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PadTypes,
    ::testing::Values(
        TypeCase{"smd_top", 1, 0, PadType::Smd, PadLayers::Front},
        TypeCase{"smd_bottom", 32, 0, PadType::Smd, PadLayers::Back},
        TypeCase{"smd_multi_layer_code", 74, 0, PadType::Smd, PadLayers::Front},
        TypeCase{"hole_on_bottom_layer", 32, 39370, PadType::ThruHole, PadLayers::AllLayers},
        TypeCase{"hole_on_multi_layer", 74, 1, PadType::ThruHole, PadLayers::AllLayers}),
    [](const auto& info) { return std::string(info.param.label); });

struct RotationCase {
  const char* label;
  double stored;
  std::size_t geometry_size;
  double expected;
};

class PadRotation : public ::testing::TestWithParam<RotationCase> {};

TEST_P(PadRotation, IsKeptOnlyWhenPlausible) {
  const auto& c = GetParam();
  EXPECT_DOUBLE_EQ(decode_pad({.rotation = c.stored, .size = c.geometry_size}).rotation_deg,
                   c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PadRotation,
    ::testing::Values(RotationCase{"quarter_turn", 90, 60, 90},
                      RotationCase{"negative", -45.5, 60, -45.5},
                      RotationCase{"rounded_to_4_decimals", 12.345678, 60, 12.3457},
                      RotationCase{"just_below_limit", 360.0000005, 60, 360},
                      RotationCase{"beyond_limit", 360.00001, 60, 0},
                      RotationCase{"far_beyond", 450, 60, 0},
                      RotationCase{"negative_beyond", -720, 60, 0},
                      RotationCase{"infinite", std::numeric_limits<double>::infinity(), 60, 0},
                      RotationCase{"not_a_number", std::numeric_limits<double>::quiet_NaN(), 60, 0},
                      RotationCase{"geometry_of_59_bytes", 90, 59, 0},
                      RotationCase{"geometry_of_50_bytes", 90, 50, 0},
                      RotationCase{"longer_geometry", 180, 200, 180}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PadRecord, GeometryShorterThan50BytesYieldsNoPad) {
  EXPECT_FALSE(decode(pad_record("1", PadGeometry{.size = 49})).has_value());
  EXPECT_TRUE(decode(pad_record("1", PadGeometry{.size = 50})).has_value());
}

TEST(PadRecord, OtherRecordTypesYieldNoPad) {
  EXPECT_FALSE(decode(track_record()).has_value());
}

TEST(PadRecord, DesignatorComesFromTheFirstSubBlock) {
  EXPECT_EQ(decode(pad_record("A12"))->number, "A12");
  EXPECT_EQ(decode(pad_record(Bytes{}, geometry_block({})))->number, "?");
}

}  // namespace
