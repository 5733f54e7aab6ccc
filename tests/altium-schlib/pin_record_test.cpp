// Decoding of binary pin records: fields by payload length, the description, length-byte strings.
#include <gtest/gtest.h>

#include "altium_schlib/pin_record.hpp"
#include "pin_spec.hpp"
#include "support/altium_builders.hpp"

namespace {

using schlib_test::described_pin;
using schlib_test::pin_spec;
using tessan::testing::Bytes;
using tessan::testing::sch_pin_payload;

altium::SchPin decode(const Bytes& payload) {
  return altium::decode_pin_record(payload);
}

TEST(PinRecord, FullRecord) {
  const auto pin = decode(sch_pin_payload(pin_spec("VCC", "4", 0x07, -35, 450, 30)));
  EXPECT_EQ(pin.name, "VCC");
  EXPECT_EQ(pin.number, "4");
  EXPECT_EQ(pin.conglomerate, 0x07);
  EXPECT_EQ(pin.rotation(), 270u);
  EXPECT_EQ(pin.length, 30);
  EXPECT_EQ(pin.x, -35);
  EXPECT_EQ(pin.y, 450);
}

TEST(PinRecord, RotationComesFromTheLowTwoBitsOfTheConglomerate) {
  const std::pair<std::uint8_t, std::uint32_t> cases[] = {
      {0x00, 0}, {0x01, 90}, {0x02, 180}, {0x03, 270}, {0x05, 90}, {0x07, 270}, {0xFC, 0}};
  for (const auto& [conglomerate, rotation] : cases) {
    EXPECT_EQ(decode(sch_pin_payload(pin_spec("", "", conglomerate))).rotation(), rotation)
        << int{conglomerate};
  }
}

TEST(PinRecord, FourteenByteRecordHasNothingButDefaults) {
  Bytes payload = sch_pin_payload(pin_spec("A", "1", 3, 5));
  payload.resize(14);
  const auto pin = decode(payload);
  EXPECT_EQ(pin, altium::SchPin{});
}

struct LengthCase {
  std::size_t payload_length;
  std::uint8_t conglomerate;
  std::int32_t length;
  std::int32_t x;
  std::int32_t y;
};

class PinRecordLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(PinRecordLength, FieldsAreReadOnlyWhenTheyFit) {
  Bytes payload = sch_pin_payload(pin_spec("N", "D", 1, 7, 9, 20));
  payload.resize(GetParam().payload_length);
  const auto pin = decode(payload);
  EXPECT_EQ(pin.conglomerate, GetParam().conglomerate);
  EXPECT_EQ(pin.length, GetParam().length);
  EXPECT_EQ(pin.x, GetParam().x);
  EXPECT_EQ(pin.y, GetParam().y);
  EXPECT_EQ(pin.name, "");
  EXPECT_EQ(pin.number, "");
}

INSTANTIATE_TEST_SUITE_P(Thresholds, PinRecordLength,
                         ::testing::Values(LengthCase{1, 0, 0, 0, 0}, LengthCase{14, 0, 0, 0, 0},
                                           LengthCase{15, 1, 0, 0, 0}, LengthCase{16, 1, 0, 0, 0},
                                           LengthCase{17, 1, 20, 0, 0}, LengthCase{18, 1, 20, 0, 0},
                                           LengthCase{19, 1, 20, 7, 0}, LengthCase{20, 1, 20, 7, 0},
                                           LengthCase{21, 1, 20, 7, 9},
                                           LengthCase{26, 1, 20, 7, 9}));

TEST(PinRecord, NameLengthBeyondThePayloadLeavesTheNameEmpty) {
  // Name length 200 with two bytes after it: the designator is read from the byte just after
  // the name's length byte.
  Bytes payload = sch_pin_payload(pin_spec("", ""));
  payload.resize(26);
  payload.insert(payload.end(), {200, 1, '7'});
  const auto pin = decode(payload);
  EXPECT_EQ(pin.name, "");
  EXPECT_EQ(pin.number, "7");
}

TEST(PinRecord, DesignatorMissingAfterTheName) {
  Bytes payload = sch_pin_payload(pin_spec("", ""));
  payload.resize(26);
  payload.insert(payload.end(), {3, 'G', 'N', 'D'});
  const auto pin = decode(payload);
  EXPECT_EQ(pin.name, "GND");
  EXPECT_EQ(pin.number, "");
}

TEST(PinRecord, DescriptionIsSteppedOver) {
  const auto pin = decode(sch_pin_payload([] {
    auto pin = described_pin("GND", "A1", "Dedicated ground pin.");
    pin.conglomerate = 0x07;
    pin.y = -10;
    return pin;
  }()));
  EXPECT_EQ(pin.name, "GND");
  EXPECT_EQ(pin.number, "A1");
  EXPECT_EQ(pin.conglomerate, 0x07);
  EXPECT_EQ(pin.length, 30);
  EXPECT_EQ(pin.y, -10);
}

TEST(PinRecord, DescriptionClaimingMoreThanTheRecordLeavesEveryFieldEmpty) {
  Bytes payload = sch_pin_payload(pin_spec("GND", "1", 1, 4));
  payload[12] = 0xF0;
  EXPECT_EQ(decode(payload), altium::SchPin{});
}

TEST(PinRecord, TextIsDecodedAsUtf8OrWindows1252) {
  EXPECT_EQ(decode(sch_pin_payload(pin_spec("\u03A9", "1"))).name, "\u03A9");
  Bytes payload = sch_pin_payload(pin_spec("", ""));
  payload.resize(26);
  payload.insert(payload.end(), {3, 'R', 0xB5, 0xB0, 1, 0xB9});
  const auto pin = decode(payload);
  EXPECT_EQ(pin.name, "R\u00B5\u00B0");
  EXPECT_EQ(pin.number, "\u00B9");
}

TEST(PinRecord, KindIsTheFirstByte) {
  EXPECT_TRUE(altium::is_pin_record(sch_pin_payload(pin_spec("", ""))));
  EXPECT_FALSE(altium::is_pin_record(Bytes{}));
  EXPECT_FALSE(altium::is_pin_record(Bytes{'|', 'R'}));
  EXPECT_FALSE(altium::is_pin_record(Bytes{3, 0, 0}));
}

}  // namespace
