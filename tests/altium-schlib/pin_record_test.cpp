// Decoding of binary pin records: fields by payload length, the description, length-byte strings.
#include <gtest/gtest.h>

#include <array>

#include "altium_schlib/pin_record.hpp"
#include "pin_builders.hpp"

namespace {

using schlib_test::make_pin;
using tessan::testing::Bytes;
using tessan::testing::sch_pin_payload;

altium::SchPin decode(const Bytes& payload) {
  return altium::decode_pin_record(payload);
}

// The payload of a pin record cut after the fixed fields, with `tail` from offset 26 on.
Bytes payload_with_tail(std::initializer_list<std::uint8_t> tail) {
  Bytes payload = sch_pin_payload(make_pin("", ""));
  payload.resize(26);
  payload.insert(payload.end(), tail);
  return payload;
}

TEST(PinRecord, FullRecord) {
  const auto pin = decode(sch_pin_payload(make_pin("VCC", "4", 0x07, -35, 450, 30)));
  EXPECT_EQ(pin.name, "VCC");
  EXPECT_EQ(pin.number, "4");
  EXPECT_EQ(pin.conglomerate, 0x07);
  EXPECT_EQ(pin.rotation(), 270u);
  EXPECT_EQ(std::vector({pin.length, pin.x, pin.y}), std::vector({30, -35, 450}));
  EXPECT_EQ(decode(sch_pin_payload(make_pin("", "", 0x05))).rotation(), 90u);
  EXPECT_EQ(decode(sch_pin_payload(make_pin("", "", 0xFE))).rotation(), 180u);
}

TEST(PinRecord, FieldsAreReadOnlyWhenThePayloadHoldsThem) {
  const Bytes full = sch_pin_payload(make_pin("N", "D", 1, 7, 9, 20));
  // (payload length, conglomerate, length, x, y)
  const std::array<int, 5> cases[] = {{1, 0, 0, 0, 0},   {15, 0, 0, 0, 0},  {16, 1, 0, 0, 0},
                                      {17, 1, 0, 0, 0},  {18, 1, 20, 0, 0}, {19, 1, 20, 0, 0},
                                      {20, 1, 20, 7, 0}, {21, 1, 20, 7, 0}, {22, 1, 20, 7, 9},
                                      {26, 1, 20, 7, 9}};
  for (const auto& [size, conglomerate, length, x, y] : cases) {
    const auto pin = decode(Bytes(full.begin(), full.begin() + size));
    EXPECT_EQ(std::vector({int{pin.conglomerate}, pin.length, pin.x, pin.y}),
              std::vector({conglomerate, length, x, y}))
        << size;
    EXPECT_EQ(pin.name + pin.number, "") << size;
  }
}

TEST(PinRecord, LengthByteStringsThatDoNotFit) {
  // The name claims more than remains: empty, and the designator starts just after its length.
  auto pin = decode(payload_with_tail({200, 1, '7'}));
  EXPECT_EQ(pin.name, "");
  EXPECT_EQ(pin.number, "7");
  pin = decode(payload_with_tail({3, 'G', 'N', 'D'}));
  EXPECT_EQ(pin.name, "GND");
  EXPECT_EQ(pin.number, "");
}

TEST(PinRecord, DescriptionIsSteppedOverWithEveryFieldAfterIt) {
  auto fields = schlib_test::make_described_pin("GND", "A1", "Dedicated ground pin.");
  fields.conglomerate = 0x07;
  fields.y = -10;
  const auto pin = decode(sch_pin_payload(fields));
  EXPECT_EQ(pin.name, "GND");
  EXPECT_EQ(pin.number, "A1");
  EXPECT_EQ(pin.conglomerate, 0x07);
  EXPECT_EQ(std::vector({pin.length, pin.y}), std::vector({30, -10}));

  Bytes beyond = sch_pin_payload(make_pin("GND", "1", 1, 4));
  beyond[12] = 0xF0;  // a description longer than the record: nothing after it is there
  EXPECT_EQ(decode(beyond), altium::SchPin{});
}

TEST(PinRecord, TextIsUtf8OrWindows1252) {
  EXPECT_EQ(decode(sch_pin_payload(make_pin("\u03A9", "1"))).name, "\u03A9");
  const auto pin = decode(payload_with_tail({3, 'R', 0xB5, 0xB0, 1, 0xB9}));
  EXPECT_EQ(pin.name, "R\u00B5\u00B0");
  EXPECT_EQ(pin.number, "\u00B9");
}

}  // namespace
