// Decoding of one component stream: header, rectangles, pins and records passed over.
#include <gtest/gtest.h>

#include <cmath>

#include "altium_schlib/component_stream.hpp"
#include "pin_builders.hpp"

namespace {

using namespace tessan::testing;
using schlib_test::make_pin;

altium::Component decode(const std::vector<Bytes>& records) {
  return altium::decode_component_stream("LM358", sch_data_stream(records));
}

TEST(ComponentStream, EmptyStreamGivesDefaults) {
  const auto component = decode({});
  EXPECT_EQ(component.module_name, "LM358");
  EXPECT_EQ(component.description, "");
  EXPECT_EQ(component.part_count, 1);
  EXPECT_FALSE(component.body.has_value());
  EXPECT_TRUE(component.pins.empty());
}

TEST(ComponentStream, PartCountIsASignedDecimalOrOne) {
  const std::pair<std::string, std::int64_t> cases[] = {
      {"|PartCount=3", 3},   {"|PartCount=+3", 3},
      {"|PartCount=-2", -2}, {"|PartCount= 4 ", 4},
      {"|PartCount=2.0", 1}, {"|PartCount=", 1},
      {"|PartCount=+", 1},   {"", 1},
      {"|PARTCOUNT=3", 3},   {"|PartCount=99999999999999999999", 1}};
  for (const auto& [properties, expected] : cases) {
    // The builder ends every text record with a zero byte, as real files do.
    EXPECT_EQ(decode({sch_text_record("|RECORD=1" + properties)}).part_count, expected)
        << properties;
  }
}

TEST(ComponentStream, TheLastHeaderGivesDescriptionAndPartCount) {
  auto component =
      decode({sch_text_record("|RECORD=1|ComponentDescription= Dual op-amp |PartCount=3")});
  EXPECT_EQ(component.description, "Dual op-amp");
  EXPECT_EQ(component.part_count, 3);
  component = decode({sch_text_record("|RECORD=1|ComponentDescription=Dual op-amp|PartCount=3"),
                      sch_text_record("|RECORD=1|PartCount=5")});
  EXPECT_EQ(component.description, "");
  EXPECT_EQ(component.part_count, 5);
  // Windows-1252 text.
  const std::string text =
      "|RECORD=1|ComponentDescription=10\xB5"
      "F 10\xB0";
  EXPECT_EQ(decode({sch_record(Bytes(text.begin(), text.end()))}).description,
            "10\u00B5F 10\u00B0");
}

TEST(ComponentStream, BodyIsTheLastRectangleWithFourParsableCorners) {
  auto component = decode({
      sch_text_record("|RECORD=14|Location.X=30|Location.Y=-340|Corner.X=230|Corner.Y=20"),
      sch_text_record("|RECORD=14|Location.X=1|Location.Y=2|Corner.X=3|Corner.Y=4"),
      sch_text_record("|RECORD=14|Location.X=5|Location.Y=6|Corner.X=7"),
      // Older libraries write the keys in upper case.
      sch_text_record("|RECORD=14|LOCATION.X=5|LOCATION.Y=6|CORNER.X=7|CORNER.Y=8"),
      sch_text_record("|RECORD=14|Location.X=5|Location.Y=6|Corner.X=7|Corner.Y=eight"),
  });
  EXPECT_EQ(component.body, (altium::SchBody{5, 6, 7, 8}));
  component = decode(
      {sch_text_record("|RECORD=14|Location.X=inf|Location.Y=-2.5|Corner.X=1e3|Corner.Y=NaN")});
  ASSERT_TRUE(component.body.has_value());
  EXPECT_TRUE(std::isinf(component.body->x1) && std::isnan(component.body->y2));
}

TEST(ComponentStream, OnlyBinaryPinRecordsArePins) {
  const auto component = decode({sch_pin_record(make_pin("OUT", "1")),
                                 sch_text_record("|RECORD=2|Name=IN|Designator=2"),
                                 sch_text_record("|Location.X=4"), sch_record({3, 1, 2, 3}),
                                 sch_record({'X', 'Y'}), sch_pin_record(make_pin("VCC", "8"))});
  ASSERT_EQ(component.pins.size(), 2u);
  EXPECT_EQ(component.pins[0].name, "OUT");
  EXPECT_EQ(component.pins[1].number, "8");
}

TEST(ComponentStream, ZeroLengthOrTruncatedRecordEndsTheWalk) {
  const Bytes first = sch_pin_record(make_pin("A", "1"));
  const Bytes second = sch_pin_record(make_pin("B", "2"));
  Bytes zero_length = first;
  zero_length.insert(zero_length.end(), {0, 0, 0, 0});
  zero_length.insert(zero_length.end(), second.begin(), second.end());
  const Bytes truncated = sch_data_stream({first, Bytes(second.begin(), second.end() - 2)});
  for (const Bytes& stream : {zero_length, truncated}) {
    EXPECT_EQ(altium::decode_component_stream("C", stream).pins.size(), 1u);
  }
}

}  // namespace
