// Decoding of one footprint "Data" stream: the name block, the record walk, error entries.
#include <gtest/gtest.h>

#include "altium_pcblib/footprint_stream.hpp"
#include "pad_builders.hpp"

namespace {

using namespace pcblib_test;
using altium::decode_footprint_stream;
using tessan::testing::pcb_data_stream;
using tessan::testing::pcb_pad_record;
using tessan::testing::pcb_record;
using Numbers = std::vector<std::string>;

// A stream whose name block is `block` as given, followed by `records`.
Bytes stream_with_block(const Bytes& block, const std::vector<Bytes>& records = {}) {
  Bytes out = tessan::testing::pcb_sub_block(block);
  for (const Bytes& record : records) out.insert(out.end(), record.begin(), record.end());
  return out;
}

Numbers numbers_of(const Bytes& stream) {
  Numbers numbers;
  for (const auto& pad : decode_footprint_stream("S", stream).pads) numbers.push_back(pad.number);
  return numbers;
}

TEST(FootprintStream, ShortStreamsAreErrorEntriesNamedAfterTheStorage) {
  for (std::size_t length = 0; length < 4; ++length) {
    const auto entry = decode_footprint_stream("SOIC8", Bytes(length, 0));
    EXPECT_EQ(entry.module_name, "SOIC8");
    EXPECT_TRUE(entry.pads.empty());
    EXPECT_EQ(entry.parse_error, "stream too short (" + std::to_string(length) + " bytes)");
  }
}

TEST(FootprintStream, NameBlockOverrunningTheStreamIsAnErrorEntry) {
  for (const std::uint32_t block_length : {4u, 100u, 0xFFFFFFFBu, 0xFFFFFFFFu}) {
    Bytes stream;
    tessan::testing::append_u32(stream, block_length);
    stream.insert(stream.end(), {2, 'A', 'B'});
    const auto entry = decode_footprint_stream("QFN16", stream);
    EXPECT_EQ(entry.module_name, "QFN16");
    EXPECT_EQ(entry.parse_error, "footprint name block overruns stream") << block_length;
  }
}

TEST(FootprintStream, NameComesFromTheNameBlock) {
  const std::pair<Bytes, std::string> cases[] = {
      {{}, ""},  // G = 0: no name, records from offset 4
      {{5, 'S', 'O', 'I', 'C', '8'}, "SOIC8"},
      {{2, 'A', 'B', 0, 0, 9}, "AB"},
      {{3, 'A', 'B'}, ""},  // the length must be below the block's
      {{200, 'A', 'B'}, ""},
      {{3, 'R', 0xB5, 0xD8}, "R\u00B5\u00D8"},  // Windows-1252
      {{3, 'R', 0xC2, 0xB5}, "R\u00B5"}};
  for (const auto& [block, expected] : cases) {
    const auto entry =
        decode_footprint_stream("S", stream_with_block(block, {pcb_pad_record(make_pad("1"))}));
    EXPECT_EQ(entry.module_name, expected);
    EXPECT_EQ(entry.pads.size(), 1u) << expected;
    EXPECT_FALSE(entry.parse_error.has_value());
  }
}

TEST(FootprintStream, PadsInStreamOrderOtherRecordsPassedOver) {
  EXPECT_EQ(numbers_of(pcb_data_stream(
                "SOT23", {pcb_pad_record(make_pad("3")), pcb_record(4, {Bytes(45, 1)}),
                          pcb_pad_record(make_pad("1")), pcb_record(5, {Bytes(4, 0), Bytes(2, 0)}),
                          pcb_pad_record(make_pad("2"))})),
            (Numbers{"3", "1", "2"}));
}

TEST(FootprintStream, WalkEndsAtAnUnknownTypeOrATruncatedRecord) {
  const Bytes one = pcb_pad_record(make_pad("1"));
  const Bytes two = pcb_pad_record(make_pad("2"));
  const Bytes truncated(two.begin(), two.end() - 1);
  Bytes over_long = two;  // the sixth sub-block claims far more bytes than remain
  std::fill(over_long.end() - 4, over_long.end(), 0xF0);
  for (const Bytes& last : {pcb_record(7, {Bytes(8, 0)}), truncated, over_long}) {
    EXPECT_EQ(numbers_of(pcb_data_stream("F", {one, last, two})), (Numbers{"1"}));
  }
}

TEST(FootprintStream, PadWithShortGeometryIsDroppedAndTheWalkGoesOn) {
  PcbPad short_geometry = make_pad("2");
  short_geometry.geometry_size = 30;
  EXPECT_EQ(
      numbers_of(pcb_data_stream("F", std::vector{make_pad("1"), short_geometry, make_pad("3")})),
      (Numbers{"1", "3"}));
}

TEST(FootprintStream, FootprintWithoutPrimitivesHasNoPadsAndNoError) {
  const auto entry =
      decode_footprint_stream("PC817", pcb_data_stream("PC817", std::vector<Bytes>{}));
  EXPECT_EQ(entry.module_name, "PC817");
  EXPECT_TRUE(entry.pads.empty());
  EXPECT_FALSE(entry.parse_error.has_value());
}

}  // namespace
