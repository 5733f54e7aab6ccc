// Decoding of one footprint "Data" stream: the name block, the record walk, error entries.
#include <gtest/gtest.h>

#include "altium_pcblib/footprint_stream.hpp"
#include "footprint_stream_builder.hpp"

namespace {

using namespace pcblib_test;
using altium::decode_footprint_stream;

std::vector<std::string> numbers_of(const altium::FootprintEntry& entry) {
  std::vector<std::string> numbers;
  for (const auto& pad : entry.pads) numbers.push_back(pad.number);
  return numbers;
}

TEST(FootprintStream, ShortStreamsBecomeErrorEntriesNamedAfterTheStorage) {
  for (std::size_t length = 0; length < 4; ++length) {
    const Bytes stream(length, 0);
    const auto entry = decode_footprint_stream("SOIC8", stream);
    EXPECT_EQ(entry.module_name, "SOIC8");
    EXPECT_TRUE(entry.pads.empty());
    EXPECT_EQ(entry.parse_error, "stream too short (" + std::to_string(length) + " bytes)");
  }
}

TEST(FootprintStream, NameBlockOverrunningTheStreamIsAnErrorEntry) {
  for (const std::uint32_t block_length : {3u, 100u, 0xFFFFFFFBu, 0xFFFFFFFFu}) {
    Bytes stream;
    put_u32(stream, block_length);
    stream.insert(stream.end(), {2, 'A', 'B'});
    const auto entry = decode_footprint_stream("QFN16", stream);
    if (block_length == 3) {
      EXPECT_EQ(entry.module_name, "AB");
      EXPECT_FALSE(entry.parse_error.has_value());
    } else {
      EXPECT_EQ(entry.module_name, "QFN16");
      EXPECT_EQ(entry.parse_error, "footprint name block overruns stream") << block_length;
    }
  }
}

TEST(FootprintStream, EmptyNameBlockGivesEmptyNameAndRecordsFromOffset4) {
  const auto entry =
      decode_footprint_stream("X", footprint_stream_with_block({}, {pad_record("1")}));
  EXPECT_EQ(entry.module_name, "");
  EXPECT_EQ(numbers_of(entry), std::vector<std::string>{"1"});
  EXPECT_FALSE(entry.parse_error.has_value());
}

struct NameCase {
  const char* label;
  Bytes block;
  std::string expected;
};

class FootprintName : public ::testing::TestWithParam<NameCase> {};

TEST_P(FootprintName, IsTakenFromTheNameBlock) {
  const auto entry =
      decode_footprint_stream("storage", footprint_stream_with_block(GetParam().block, {}));
  EXPECT_EQ(entry.module_name, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FootprintName,
    ::testing::Values(NameCase{"plain", {5, 'S', 'O', 'I', 'C', '8'}, "SOIC8"},
                      NameCase{"extra_block_bytes_ignored", {2, 'A', 'B', 0, 0, 9}, "AB"},
                      NameCase{"length_equals_block", {3, 'A', 'B'}, ""},
                      NameCase{"length_beyond_block", {200, 'A', 'B'}, ""},
                      NameCase{"zero_length", {0, 'A'}, ""},
                      NameCase{"windows_1252", {3, 'R', 0xB5, 0xD8}, "R\u00B5\u00D8"},
                      NameCase{"utf8", {3, 'R', 0xC2, 0xB5}, "R\u00B5"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(FootprintStream, PadsInStreamOrderOtherRecordsPassedOver) {
  const auto entry = decode_footprint_stream(
      "S", footprint_stream("SOT23", {pad_record("3"), track_record(), pad_record("1"),
                                      record(5, {Bytes(4, 0), Bytes(2, 0)}), pad_record("2")}));
  EXPECT_EQ(entry.module_name, "SOT23");
  EXPECT_EQ(numbers_of(entry), (std::vector<std::string>{"3", "1", "2"}));
}

TEST(FootprintStream, UnknownRecordTypeEndsTheWalk) {
  const auto entry = decode_footprint_stream(
      "S", footprint_stream(
               "F", {pad_record("1"), pad_record("2"), record(7, {Bytes(8, 0)}), pad_record("3")}));
  EXPECT_EQ(numbers_of(entry), (std::vector<std::string>{"1", "2"}));
  EXPECT_FALSE(entry.parse_error.has_value());
}

TEST(FootprintStream, TruncatedPadRecordIsDroppedAndEndsTheWalk) {
  Bytes last = pad_record("2");
  last.resize(last.size() - 1);  // the sixth sub-block claims one byte more than remains
  Bytes claims_more = pad_record("3");
  set_u32(claims_more, claims_more.size() - 4, 0xFFFFFFF0u);
  for (const Bytes& broken : {last, claims_more}) {
    const auto entry =
        decode_footprint_stream("S", footprint_stream("F", {pad_record("1"), broken}));
    EXPECT_EQ(numbers_of(entry), std::vector<std::string>{"1"});
  }
}

TEST(FootprintStream, PadWithShortGeometryIsDroppedAndTheWalkGoesOn) {
  const auto entry = decode_footprint_stream(
      "S", footprint_stream(
               "F", {pad_record("1"), pad_record("2", PadGeometry{.size = 30}), pad_record("3")}));
  EXPECT_EQ(numbers_of(entry), (std::vector<std::string>{"1", "3"}));
}

TEST(FootprintStream, FootprintWithoutPrimitivesHasNoPadsAndNoError) {
  const auto entry = decode_footprint_stream("PC817", footprint_stream("PC817", {}));
  EXPECT_EQ(entry.module_name, "PC817");
  EXPECT_TRUE(entry.pads.empty());
  EXPECT_FALSE(entry.parse_error.has_value());
}

TEST(FootprintStream, TrailingGarbageAfterTheRecordsIsIgnored) {
  Bytes stream = numbered_footprint("F", 2);
  stream.insert(stream.end(), {2, 0xFF, 0xFF});
  EXPECT_EQ(numbers_of(decode_footprint_stream("S", stream)), (std::vector<std::string>{"1", "2"}));
}

}  // namespace
