#include "altium_pcblib/pad_record.hpp"

#include "altium_container/little_endian.hpp"

#include <algorithm>
#include <bit>
#include <cmath>

namespace altium {

namespace {

constexpr std::size_t kDesignatorSubBlock = 0;
constexpr std::size_t kGeometrySubBlock = 4;
constexpr std::size_t kPadSubBlocks = 6;

// Offsets within the geometry sub-block.
constexpr std::size_t kLayerOffset = 0;
constexpr std::size_t kXOffset = 13;
constexpr std::size_t kYOffset = 17;
constexpr std::size_t kSizeXOffset = 21;
constexpr std::size_t kSizeYOffset = 25;
constexpr std::size_t kHoleOffset = 45;
constexpr std::size_t kShapeOffset = 49;
constexpr std::size_t kRotationOffset = 52;
constexpr std::size_t kMinGeometrySize = 50;
constexpr std::size_t kGeometrySizeWithRotation = 60;

constexpr std::uint8_t kBottomLayer = 32;
constexpr std::uint8_t kRoundShape = 1;
constexpr std::uint8_t kRoundedRectShape = 9;

constexpr double kMmPerUnit = 2.54e-6;
constexpr double kRotationLimit = 360.000001;
constexpr double kCircleTolerance = 0.001;

double rotation_of(ByteView geometry) {
  if (geometry.size() < kGeometrySizeWithRotation) return 0;
  const double rotation = read_f64_le(geometry, kRotationOffset);
  if (!std::isfinite(rotation) || std::fabs(rotation) >= kRotationLimit) return 0;
  return rotation;
}

PadShape shape_of(std::uint8_t code, double size_x_mm, double size_y_mm) {
  if (code == kRoundShape) {
    return std::fabs(size_x_mm - size_y_mm) < kCircleTolerance ? PadShape::Circle : PadShape::Oval;
  }
  return code == kRoundedRectShape ? PadShape::RoundRect : PadShape::Rect;
}

PadLayers layers_of(PadType type, std::uint8_t layer_code) {
  if (type == PadType::ThruHole) return PadLayers::AllLayers;
  return layer_code == kBottomLayer ? PadLayers::Back : PadLayers::Front;
}

}  // namespace

double round_to_decimals(double value, int decimals) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  const double scale =
      decimals >= 0 && decimals < 10 ? kPowersOfTen[decimals] : std::pow(10.0, decimals);
  // Adding zero turns a negative zero into a positive one.
  return std::round(value * scale) / scale + 0.0;
}

std::string decode_pad_designator(ByteView sub_block) {
  if (sub_block.empty() || sub_block[0] >= sub_block.size()) return "?";
  const ByteView text = sub_block.subspan(1, sub_block[0]);
  const auto zero = std::find(text.begin(), text.end(), std::uint8_t{0});
  return decode_altium_text(text.first(static_cast<std::size_t>(zero - text.begin())));
}

std::optional<Pad> decode_pad_record(const PcbRecord& record) {
  if (record.type != kPadRecordType || record.sub_blocks.size() < kPadSubBlocks) {
    return std::nullopt;
  }
  const ByteView geometry = record.sub_blocks[kGeometrySubBlock];
  if (geometry.size() < kMinGeometrySize) return std::nullopt;

  const double size_x_mm = read_u32_le(geometry, kSizeXOffset) * kMmPerUnit;
  const double size_y_mm = read_u32_le(geometry, kSizeYOffset) * kMmPerUnit;
  const std::uint32_t hole = read_u32_le(geometry, kHoleOffset);

  Pad pad;
  pad.number = decode_pad_designator(record.sub_blocks[kDesignatorSubBlock]);
  pad.type = hole != 0 ? PadType::ThruHole : PadType::Smd;
  pad.shape = shape_of(geometry[kShapeOffset], size_x_mm, size_y_mm);
  pad.layers = layers_of(pad.type, geometry[kLayerOffset]);
  pad.x_mm = round_to_decimals(read_i32_le(geometry, kXOffset) * kMmPerUnit, 6);
  pad.y_mm = round_to_decimals(read_i32_le(geometry, kYOffset) * -kMmPerUnit, 6);
  pad.rotation_deg = round_to_decimals(rotation_of(geometry), 4);
  pad.size_x_mm = round_to_decimals(size_x_mm, 6);
  pad.size_y_mm = round_to_decimals(size_y_mm, 6);
  pad.drill_mm = hole * kMmPerUnit;
  return pad;
}

}  // namespace altium
