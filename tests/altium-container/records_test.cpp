// Record framings of PcbLib and SchLib streams and length-byte strings.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "altium_container/records.hpp"

namespace {

using altium::ByteView;
using Bytes = std::vector<std::uint8_t>;

void append_u32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void append_sub_block(Bytes& out, const Bytes& content) {
  append_u32(out, static_cast<std::uint32_t>(content.size()));
  out.insert(out.end(), content.begin(), content.end());
}

void append_pcb_record(Bytes& out, std::uint8_t type, const std::vector<Bytes>& sub_blocks) {
  out.push_back(type);
  for (const auto& block : sub_blocks) append_sub_block(out, block);
}

std::vector<Bytes> pad_sub_blocks(std::uint8_t tag) {
  return {{1, tag}, {}, {0}, {}, Bytes(60, tag), {}};
}

void append_sch_record(Bytes& out, const Bytes& payload, std::uint16_t length_field) {
  out.push_back(static_cast<std::uint8_t>(length_field));
  out.push_back(static_cast<std::uint8_t>(length_field >> 8));
  out.push_back(0xAA);  // bytes 2 and 3 carry nothing the framing reads
  out.push_back(0x55);
  out.insert(out.end(), payload.begin(), payload.end());
}

void append_sch_record(Bytes& out, const std::string& text) {
  const Bytes payload(text.begin(), text.end());
  append_sch_record(out, payload, static_cast<std::uint16_t>(payload.size()));
}

Bytes bytes_of(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

TEST(WalkPcbRecords, HandsOverPadsAndStopsAtUnknownType) {
  Bytes stream;
  append_pcb_record(stream, 2, pad_sub_blocks(0x11));
  append_pcb_record(stream, 2, pad_sub_blocks(0x22));
  stream.push_back(7);
  append_sub_block(stream, {1, 2, 3});
  append_pcb_record(stream, 2, pad_sub_blocks(0x33));

  const auto records = altium::walk_pcb_records(stream, 0);
  ASSERT_EQ(records.size(), 2u);
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].type, 2);
    ASSERT_EQ(records[i].sub_blocks.size(), 6u);
    EXPECT_EQ(records[i].sub_blocks[4].size(), 60u);
  }
  EXPECT_EQ(records[0].sub_blocks[0][1], 0x11);
  EXPECT_EQ(records[1].sub_blocks[4][0], 0x22);
}

TEST(WalkPcbRecords, FramesEveryRecordTypeWithItsSubBlockCount) {
  const std::vector<std::pair<std::uint8_t, std::size_t>> types = {
      {1, 1}, {2, 6}, {3, 1}, {4, 1}, {5, 2}, {6, 1}, {9, 1}, {11, 1}, {12, 1}};
  Bytes stream;
  for (const auto& [type, count] : types) {
    append_pcb_record(stream, type, std::vector<Bytes>(count, Bytes{type}));
  }
  const auto records = altium::walk_pcb_records(stream, 0);
  ASSERT_EQ(records.size(), types.size());
  for (std::size_t i = 0; i < types.size(); ++i) {
    EXPECT_EQ(records[i].type, types[i].first);
    EXPECT_EQ(records[i].sub_blocks.size(), types[i].second);
    for (const auto& block : records[i].sub_blocks) EXPECT_EQ(block[0], types[i].first);
  }
}

TEST(WalkPcbRecords, NonRecordTypesStopTheWalk) {
  for (const std::uint8_t type : {0, 7, 8, 10, 13, 14, 255}) {
    Bytes stream;
    append_pcb_record(stream, 1, {{9}});
    append_pcb_record(stream, type, {{9}});
    append_pcb_record(stream, 1, {{9}});
    EXPECT_EQ(altium::walk_pcb_records(stream, 0).size(), 1u) << "type " << int{type};
  }
}

TEST(WalkPcbRecords, DropsRecordWhoseLastSubBlockOverrunsTheStream) {
  Bytes stream;
  append_pcb_record(stream, 2, pad_sub_blocks(1));
  Bytes truncated = stream;
  append_pcb_record(truncated, 2, {{1, 2}, {}, {}, {}, Bytes(60, 0)});
  append_u32(truncated, 10);  // the sixth sub-block claims ten bytes
  truncated.insert(truncated.end(), 9, 0);
  EXPECT_EQ(altium::walk_pcb_records(truncated, 0).size(), 1u);
}

TEST(WalkPcbRecords, StopsAtLengthFieldsNearTheTopOfTheRange) {
  for (const std::uint32_t length : {0xFFFFFFFFu, 0xFFFFFFFCu, 0x80000000u}) {
    Bytes stream = {1};
    append_u32(stream, length);
    stream.resize(stream.size() + 16, 0);
    EXPECT_TRUE(altium::walk_pcb_records(stream, 0).empty()) << length;
  }
}

TEST(WalkPcbRecords, StopsWhenLengthFieldIsCutOff) {
  const Bytes stream = {1, 4, 0, 0};
  EXPECT_TRUE(altium::walk_pcb_records(stream, 0).empty());
}

TEST(WalkPcbRecords, StartsAtTheGivenOffset) {
  Bytes stream = {0xEE, 0xEE, 0xEE};
  append_pcb_record(stream, 6, {{5, 6}});
  const auto records = altium::walk_pcb_records(stream, 3);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].type, 6);
  EXPECT_TRUE(altium::walk_pcb_records(stream, stream.size()).empty());
  EXPECT_TRUE(altium::walk_pcb_records(stream, stream.size() + 100).empty());
}

TEST(WalkSchRecords, YieldsPayloadsInOrderIgnoringHeaderBytesTwoAndThree) {
  Bytes stream;
  append_sch_record(stream, "|RECORD=1|");
  append_sch_record(stream, Bytes{2, 0, 0}, 3);
  const auto payloads = altium::walk_sch_records(stream);
  ASSERT_EQ(payloads.size(), 2u);
  EXPECT_EQ(std::string(payloads[0].begin(), payloads[0].end()), "|RECORD=1|");
  EXPECT_EQ(payloads[1].size(), 3u);
  EXPECT_EQ(payloads[1][0], 2);
}

TEST(WalkSchRecords, ZeroLengthEndsTheWalkEvenWithBytesAfterIt) {
  Bytes stream;
  append_sch_record(stream, "|RECORD=1|");
  append_sch_record(stream, Bytes{}, 0);
  append_sch_record(stream, "|RECORD=14|");
  EXPECT_EQ(altium::walk_sch_records(stream).size(), 1u);
}

TEST(WalkSchRecords, TruncatedRecordsEndTheWalk) {
  Bytes stream;
  append_sch_record(stream, "|A=1|");
  Bytes short_payload = stream;
  append_sch_record(short_payload, Bytes{'|', 'B'}, 3);
  EXPECT_EQ(altium::walk_sch_records(short_payload).size(), 1u);
  Bytes short_header = stream;
  short_header.insert(short_header.end(), {5, 0, 0});
  EXPECT_EQ(altium::walk_sch_records(short_header).size(), 1u);
  EXPECT_TRUE(altium::walk_sch_records({}).empty());
  Bytes full_length;
  append_sch_record(full_length, Bytes(10, '|'), 0xFFFF);
  EXPECT_TRUE(altium::walk_sch_records(full_length).empty());
}

struct PropertyCase {
  std::string text;
  std::string key;
  std::optional<std::string> value;
};

void PrintTo(const PropertyCase& c, std::ostream* os) {
  *os << '"' << c.text << "\" / " << c.key;
}

class LookupProperty : public ::testing::TestWithParam<PropertyCase> {};

TEST_P(LookupProperty, FindsTheFirstPieceStartingWithKeyInAnyAsciiCaseAndEquals) {
  const auto& c = GetParam();
  EXPECT_EQ(altium::lookup_property(c.text, c.key), c.value) << c.text << " / " << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, LookupProperty,
    ::testing::Values(PropertyCase{"|RECORD=1|PartCount= 2 |", "RECORD", "1"},
                      PropertyCase{"|RECORD=1|PartCount= 2 |", "PartCount", "2"},
                      PropertyCase{"|Record=1|", "RECORD", "1"},
                      PropertyCase{"|PARTCOUNT=2|PartCount=3|", "PartCount", "2"},
                      PropertyCase{"|location.x=4|", "LOCATION.X", "4"},
                      PropertyCase{"|RECORDS=1|", "RECORD", std::nullopt},
                      PropertyCase{"|A=1|A=2|", "A", "1"}, PropertyCase{"|AB=1|A=2|", "A", "2"},
                      PropertyCase{"|A|A=3", "A", "3"}, PropertyCase{"A=0|A=1", "A", "0"},
                      PropertyCase{"|A=|", "A", ""}, PropertyCase{"|A= \t\r\n\v\f |", "A", ""},
                      PropertyCase{"|A=x=y|", "A", "x=y"},
                      PropertyCase{"|A=\xC2\xA0"
                                   "5\xE2\x80\x83\xE3\x80\x80|",
                                   "A", "5"},
                      PropertyCase{"|A=\xC2\xA0\xC2\xB5\xC2\xA0|", "A", "\xC2\xB5"},
                      PropertyCase{std::string("|A= x\0y |", 9), "A", std::string("x\0y", 3)},
                      PropertyCase{"|A= \xFF |", "A", "\xFF"}, PropertyCase{"", "A", std::nullopt},
                      PropertyCase{"|||", "A", std::nullopt}));

TEST(ReadPascalString, ReadsLengthAndTextAndAdvances) {
  const Bytes payload = {3, 'a', 'b', 'c', 2, 'd', 'e', 0};
  std::size_t cursor = 0;
  EXPECT_EQ(altium::read_pascal_string(payload, cursor), "abc");
  EXPECT_EQ(cursor, 4u);
  EXPECT_EQ(altium::read_pascal_string(payload, cursor), "de");
  EXPECT_EQ(cursor, 7u);
  EXPECT_EQ(altium::read_pascal_string(payload, cursor), "");
  EXPECT_EQ(cursor, 8u);
}

TEST(ReadPascalString, OverlongLengthGivesEmptyAndSkipsOnlyTheLengthByte) {
  const Bytes payload = {9, 1, 'x'};
  std::size_t cursor = 0;
  EXPECT_EQ(altium::read_pascal_string(payload, cursor), "");
  EXPECT_EQ(cursor, 1u);
  EXPECT_EQ(altium::read_pascal_string(payload, cursor), "x");
  EXPECT_EQ(cursor, 3u);
}

TEST(ReadPascalString, CursorAtOrPastTheEndStaysPut) {
  const Bytes payload = {1, 'a'};
  for (const std::size_t start : {2u, 3u, 1000u}) {
    std::size_t cursor = start;
    EXPECT_EQ(altium::read_pascal_string(payload, cursor), "");
    EXPECT_EQ(cursor, start);
  }
}

TEST(ReadPascalString, DecodesWindows1252) {
  const Bytes payload = {2, 0xB5, 'F'};
  std::size_t cursor = 0;
  EXPECT_EQ(altium::read_pascal_string(payload, cursor),
            "\xC2\xB5"
            "F");
}

struct DecodeCase {
  Bytes bytes;
  std::string utf8;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
  *os << '"' << c.utf8 << '"';
}

class DecodeAltiumText : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeAltiumText, KeepsUtf8AndReadsAnythingElseAsWindows1252) {
  EXPECT_EQ(altium::decode_altium_text(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DecodeAltiumText,
    ::testing::Values(DecodeCase{{}, ""}, DecodeCase{bytes_of("VCC"), "VCC"},
                      DecodeCase{bytes_of("10\xC2\xB5"
                                          "F \xCE\xA9"),
                                 "10\xC2\xB5"
                                 "F \xCE\xA9"},
                      DecodeCase{bytes_of("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80"},
                      DecodeCase{{'1', '0', 0xB5, 'F'},
                                 "10\xC2\xB5"
                                 "F"},
                      DecodeCase{{0x80}, "\xE2\x82\xAC"}, DecodeCase{{0x81}, "\xC2\x81"},
                      DecodeCase{{0x8D}, "\xC2\x8D"}, DecodeCase{{0x8F}, "\xC2\x8F"},
                      DecodeCase{{0x90}, "\xC2\x90"}, DecodeCase{{0x9D}, "\xC2\x9D"},
                      DecodeCase{{0x9F}, "\xC5\xB8"}, DecodeCase{{0xFF}, "\xC3\xBF"},
                      DecodeCase{{'A', 0, 'B'}, std::string("A\0B", 3)},
                      // A truncated sequence makes the whole text Windows-1252.
                      DecodeCase{{0xCE, 0xA9, 0xCE}, "\xC3\x8E\xC2\xA9\xC3\x8E"},
                      // Overlong and surrogate encodings are not valid UTF-8.
                      DecodeCase{{0xC0, 0xAF}, "\xC3\x80\xC2\xAF"},
                      DecodeCase{{0xED, 0xA0, 0x80}, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"}));

}  // namespace
