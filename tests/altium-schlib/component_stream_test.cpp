// Decoding of one component stream: header, rectangles, pins and records passed over.
#include <gtest/gtest.h>

#include <cmath>

#include "altium_schlib/component_stream.hpp"
#include "pin_spec.hpp"
#include "support/altium_builders.hpp"

namespace {

using namespace tessan::testing;
using schlib_test::pin_spec;

altium::Component decode(const std::vector<Bytes>& records) {
  return altium::decode_component_stream("LM358", sch_data_stream(records));
}

std::vector<std::string> numbers_of(const altium::Component& component) {
  std::vector<std::string> numbers;
  for (const auto& pin : component.pins) numbers.push_back(pin.number);
  return numbers;
}

TEST(ComponentStream, EmptyStreamGivesDefaults) {
  const auto component = altium::decode_component_stream("LM358", Bytes{});
  EXPECT_EQ(component.module_name, "LM358");
  EXPECT_EQ(component.description, "");
  EXPECT_EQ(component.part_count, 1);
  EXPECT_FALSE(component.body.has_value());
  EXPECT_TRUE(component.pins.empty());
}

struct PartCountCase {
  std::string properties;
  std::int64_t expected;
};

class HeaderPartCount : public ::testing::TestWithParam<PartCountCase> {};

TEST_P(HeaderPartCount, IsASignedDecimalOrOne) {
  const auto component = decode({sch_text_record("|RECORD=1" + GetParam().properties)});
  EXPECT_EQ(component.part_count, GetParam().expected) << GetParam().properties;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderPartCount,
    ::testing::Values(PartCountCase{"|PartCount=3", 3}, PartCountCase{"|PartCount=+3", 3},
                      PartCountCase{"|PartCount=-2", -2}, PartCountCase{"|PartCount= 4 ", 4},
                      PartCountCase{"|PartCount=2.0", 1}, PartCountCase{"|PartCount=", 1},
                      PartCountCase{"|PartCount=+", 1}, PartCountCase{"", 1},
                      PartCountCase{"|PARTCOUNT=3", 1},
                      PartCountCase{"|PartCount=99999999999999999999", 1}));

TEST(ComponentStream, HeaderGivesDescriptionAndTheLastHeaderWins) {
  auto component =
      decode({sch_text_record("|RECORD=1|ComponentDescription=Dual op-amp|PartCount=3"),
              sch_text_record("|RECORD=1|PartCount=5")});
  EXPECT_EQ(component.description, "");
  EXPECT_EQ(component.part_count, 5);

  component = decode({sch_text_record("|RECORD=1|ComponentDescription= Dual op-amp |PartCount=3")});
  EXPECT_EQ(component.description, "Dual op-amp");
  EXPECT_EQ(component.part_count, 3);
}

TEST(ComponentStream, ZeroByteEndingATextRecordIsNotPartOfTheLastValue) {
  Bytes payload = {'|', 'R', 'E', 'C', 'O', 'R', 'D', '=', '1'};
  auto component = decode({sch_record(payload)});
  EXPECT_EQ(component.part_count, 1);
  payload.insert(payload.end(), {'|', 'P', 'a', 'r', 't', 'C', 'o', 'u', 'n', 't', '=', '7', 0});
  component = decode({sch_record(payload)});
  EXPECT_EQ(component.part_count, 7);
  payload.back() = 'x';
  payload.push_back(0);
  component = decode({sch_record(payload)});
  EXPECT_EQ(component.part_count, 1);
}

TEST(ComponentStream, HeaderTextInWindows1252IsDecoded) {
  const Bytes payload = {'|', 'R', 'E', 'C', 'O', 'R',  'D', '=', '1', '|', 'C',  'o', 'm', 'p',
                         'o', 'n', 'e', 'n', 't', 'D',  'e', 's', 'c', 'r', 'i',  'p', 't', 'i',
                         'o', 'n', '=', '1', '0', 0xB5, 'F', ' ', '1', '0', 0xB0, 0};
  EXPECT_EQ(decode({sch_record(payload)}).description, "10\u00B5F 10\u00B0");
}

TEST(ComponentStream, BodyIsTheLastCompleteRectangle) {
  const auto component = decode({
      sch_text_record("|RECORD=14|Location.X=30|Location.Y=-340|Corner.X=230|Corner.Y=20"),
      sch_text_record("|RECORD=14|Location.X=1|Location.Y=2|Corner.X=3|Corner.Y=4"),
      sch_text_record("|RECORD=14|Location.X=5|Location.Y=6|Corner.X=7"),
      sch_text_record("|RECORD=14|LOCATION.X=5|LOCATION.Y=6|CORNER.X=7|CORNER.Y=8"),
      sch_text_record("|RECORD=14|Location.X=5|Location.Y=6|Corner.X=7|Corner.Y=eight"),
  });
  ASSERT_TRUE(component.body.has_value());
  EXPECT_EQ(*component.body, (altium::SchBody{1, 2, 3, 4}));
}

TEST(ComponentStream, RectangleWithInfiniteCoordinateStillCounts) {
  const auto component = decode(
      {sch_text_record("|RECORD=14|Location.X=inf|Location.Y=-2.5|Corner.X=1e3|Corner.Y=NaN")});
  ASSERT_TRUE(component.body.has_value());
  EXPECT_TRUE(std::isinf(component.body->x1));
  EXPECT_DOUBLE_EQ(component.body->y1, -2.5);
  EXPECT_DOUBLE_EQ(component.body->x2, 1000);
  EXPECT_TRUE(std::isnan(component.body->y2));
}

TEST(ComponentStream, PinsInStreamOrderOtherRecordsPassedOver) {
  const auto component = decode({
      sch_text_record("|RECORD=1|PartCount=2"),
      sch_pin_record(pin_spec("OUT", "1")),
      sch_text_record("|RECORD=2|Name=IN|Designator=2"),
      sch_text_record("|Location.X=4"),
      sch_record({3, 1, 2, 3}),
      sch_record({'X', 'Y'}),
      sch_pin_record(pin_spec("VCC", "8")),
  });
  EXPECT_EQ(numbers_of(component), (std::vector<std::string>{"1", "8"}));
  EXPECT_EQ(component.pins[1].name, "VCC");
}

TEST(ComponentStream, ZeroLengthRecordEndsTheWalk) {
  Bytes stream = sch_data_stream({sch_pin_record(pin_spec("A", "1"))});
  stream.insert(stream.end(), {0, 0, 0, 0});
  const Bytes more = sch_pin_record(pin_spec("B", "2"));
  stream.insert(stream.end(), more.begin(), more.end());
  EXPECT_EQ(numbers_of(altium::decode_component_stream("C", stream)),
            std::vector<std::string>{"1"});
}

TEST(ComponentStream, TruncatedRecordEndsTheWalkSilently) {
  Bytes stream =
      sch_data_stream({sch_pin_record(pin_spec("A", "1")), sch_pin_record(pin_spec("B", "2"))});
  stream.resize(stream.size() - 2);
  EXPECT_EQ(numbers_of(altium::decode_component_stream("C", stream)),
            std::vector<std::string>{"1"});
}

}  // namespace
