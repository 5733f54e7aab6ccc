// The Altium readers (PcbLib, SchLib, IntLib and the adapter over them) on hostile libraries:
// truncated streams and files, length fields near 2^32, cyclic sector chains, inflation bombs
// and a huge library.
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <string>

#include "altium_pcblib/footprint_library.hpp"
#include "altium_schlib/component_library.hpp"
#include "hostile/bounded_run.hpp"
#include "hostile/hostile_inputs.hpp"
#include "hostile/reader_outcome.hpp"
#include "parsers/altium/altium_reader.hpp"
#include "reader_limits.hpp"
#include "support/altium_builders.hpp"
#include "support/test_support.hpp"

namespace tessan::hostile {
namespace {

using altium::ByteView;
using testing::Bytes;
using testing::CfbEditor;
using testing::CfbEntryField;
using testing::CfbHeaderField;
using testing::PcbPad;
using testing::SchPin;
using testing::TempDir;

constexpr const char* kNoVariants = "error: no parseable footprint variants in PcbLib";

PcbPad pad(int number) {
  PcbPad pad;
  pad.designator = std::to_string(number);
  pad.x = number * 10000;
  return pad;
}

Bytes concat(const std::vector<Bytes>& parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// Pad records with records of the other framed types between them.
std::vector<Bytes> footprint_records() {
  using testing::pcb_record;
  return {testing::pcb_pad_record(pad(1)), pcb_record(1, {Bytes(20, 1)}),
          testing::pcb_pad_record(pad(2)), pcb_record(5, {Bytes(3, 5), Bytes(9, 5)}),
          pcb_record(12, {Bytes{}}),       testing::pcb_pad_record(pad(3)),
          pcb_record(4, {Bytes(40, 4)}),   testing::pcb_pad_record(pad(4))};
}

std::string describe_entries(const Result<altium::FootprintEntries>& entries) {
  if (!entries) return "error: " + entries.error().message();
  std::string text;
  for (const auto& entry : *entries) {
    text += entry.module_name + ":" + std::to_string(entry.pads.size());
    if (entry.parse_error) text += "(" + *entry.parse_error + ")";
    text += " ";
  }
  return text;
}

std::string footprints_of(const Bytes& stream) {
  return describe_entries(altium::parse_footprint_entries(testing::pcblib_file({{"SO8", stream}})));
}

// A record is kept only when all its sub-blocks fit, so a cut keeps exactly the pad records
// that end before it; a cut inside the name block makes the footprint an error entry.
TEST(PcbLibHostile, EveryTruncationKeepsThePadRecordsBeforeIt) {
  const std::vector<Bytes> records = footprint_records();
  const Bytes stream = testing::pcb_data_stream("SO8", records);
  const std::size_t name_block = stream.size() - concat(records).size();
  std::vector<std::size_t> pad_ends;
  std::size_t end = name_block;
  for (const Bytes& record : records) {
    end += record.size();
    if (record[0] == 2) pad_ends.push_back(end);
  }
  for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
    const Bytes part(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut));
    std::string expected;
    if (cut < 4) {
      expected = "SO8:0(stream too short (" + std::to_string(cut) + " bytes)) ";
    } else if (cut < name_block) {
      expected = "SO8:0(footprint name block overruns stream) ";
    } else {
      const auto kept =
          std::count_if(pad_ends.begin(), pad_ends.end(), [&](std::size_t e) { return e <= cut; });
      expected = "SO8:" + std::to_string(kept) + " ";
    }
    EXPECT_EQ(footprints_of(part), expected) << "cut at " << cut;
  }
}

TEST(PcbLibHostile, LengthFieldsNearTwoToThe32EndTheWalk) {
  for (const std::uint32_t length : {0xFFFFFFFFu, 0xFFFFFFFCu, 0xFFFFFFFBu, 0x80000000u}) {
    Bytes name_block;
    testing::append_u32(name_block, length);
    name_block.insert(name_block.end(), {3, 'S', 'O', '8'});
    EXPECT_EQ(footprints_of(name_block), "SO8:0(footprint name block overruns stream) ") << length;

    Bytes oversized = testing::pcb_record(2, {Bytes{1, '1'}, {}, {}, {}, {}, {}});
    const std::size_t last_length = oversized.size() - 4;
    for (int i = 0; i < 4; ++i)
      oversized[last_length + i] = static_cast<std::uint8_t>(length >> 8 * i);
    oversized.insert(oversized.end(), 64, 0);
    const Bytes stream = testing::pcb_data_stream(
        "SO8", {testing::pcb_pad_record(pad(1)), oversized, testing::pcb_pad_record(pad(2))});
    EXPECT_EQ(footprints_of(stream), "SO8:1 ") << length;
  }
}

TEST(PcbLibHostile, EmptyAndRandomBytesAreRefused) {
  EXPECT_EQ(describe_entries(altium::parse_footprint_entries({})),
            "error: not an OLE2 compound document (bad magic)");
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    Bytes bytes = random_byte_vector(seed, 4096 * seed);
    EXPECT_EQ(describe_entries(altium::parse_footprint_entries(bytes)),
              "error: not an OLE2 compound document (bad magic)");
    const Bytes signature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(signature.begin(), signature.end(), bytes.begin());
    const std::string outcome = describe_entries(altium::parse_footprint_entries(bytes));
    EXPECT_TRUE(outcome.starts_with("error: ")) << seed << ": " << outcome;
  }
}

std::vector<SchPin> sch_pins() {
  return {{"OUT", "1", "", 0, 30, 0, 0},
          {"IN-", "2", "inverting input", 1, 30, 0, 10},
          {"IN+", "3", "", 2, 30, 0, 20},
          {"V-", "4", "", 3, 30, 0, 30}};
}

std::string first_component_of(const Bytes& stream) {
  const auto component = altium::parse_first_component(testing::schlib_file({{"AMP", stream}}));
  if (!component) return "error: " + component.error().message();
  std::string text = std::to_string(component->pins.size());
  for (const auto& pin : component->pins) text += " " + pin.number + "=" + pin.name;
  return text;
}

TEST(SchLibHostile, EveryTruncationKeepsThePinRecordsBeforeIt) {
  std::vector<Bytes> records = {
      testing::sch_text_record("|RECORD=1|PartCount=2|ComponentDescription=amp"),
      testing::sch_text_record("|RECORD=14|Location.X=-10|Location.Y=-5|Corner.X=10|Corner.Y=5")};
  for (const SchPin& pin : sch_pins()) records.push_back(testing::sch_pin_record(pin));
  const Bytes stream = testing::sch_data_stream(records);
  const std::vector<std::string> pins_so_far = {"", " 1=OUT", " 1=OUT 2=IN-", " 1=OUT 2=IN- 3=IN+",
                                                " 1=OUT 2=IN- 3=IN+ 4=V-"};
  for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
    const Bytes part(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut));
    std::size_t end = 0;
    std::size_t kept = 0;
    for (const Bytes& record : records) {
      end += record.size();
      if (end <= cut && record[4] == 2) ++kept;
    }
    const std::string expected = kept == 0 ? "error: no pins parsed from component AMP"
                                           : std::to_string(kept) + pins_so_far[kept];
    EXPECT_EQ(first_component_of(part), expected) << "cut at " << cut;
  }
}

// Record lengths and string lengths that claim more than the stream holds.
TEST(SchLibHostile, OverlongLengthsAreCutShort) {
  const Bytes good = testing::sch_pin_record(sch_pins()[0]);
  Bytes long_record = {0xFF, 0xFF, 0, 1, 2};
  long_record.insert(long_record.end(), 100, 0);
  EXPECT_EQ(first_component_of(concat({good, long_record})), "1 1=OUT");

  Bytes long_name = testing::sch_pin_payload(sch_pins()[2]);
  long_name[26] = 0xFF;  // the name's length byte, past the end of the record
  EXPECT_EQ(first_component_of(concat({good, testing::sch_record(long_name)})), "2 1=OUT =");

  const Bytes odd_header = testing::sch_text_record(
      "|RECORD=1|PartCount=99999999999999999999999|RECORD=14|Location.X=1e99999");
  EXPECT_EQ(first_component_of(concat({odd_header, good})), "1 1=OUT");
}

TEST(SchLibHostile, EmptyAndRandomBytesAreRefused) {
  const auto refused = [](const Bytes& bytes) {
    const auto component = altium::parse_first_component(bytes);
    return component ? std::string("read") : component.error().message();
  };
  EXPECT_EQ(refused({}), "not an OLE2 compound document (bad magic)");
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    Bytes bytes = random_byte_vector(seed, 4096 * seed);
    EXPECT_EQ(refused(bytes), "not an OLE2 compound document (bad magic)") << seed;
    const Bytes signature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(signature.begin(), signature.end(), bytes.begin());
    EXPECT_TRUE(refused(bytes).starts_with("open OLE2: ")) << seed << ": " << refused(bytes);
  }
}

// Only the first component is read, but that one may be as large as the file: past a million
// pins it fails.
TEST(SchLibHostile, AHugeComponentReadsWithinBounds) {
  std::vector<Bytes> records = {testing::sch_text_record("|RECORD=1|PartCount=1")};
  std::size_t size = 0;
  for (int pin = 1; size < huge_input_bytes(); ++pin) {
    records.push_back(testing::sch_pin_record(
        {"IO" + std::to_string(pin), std::to_string(pin), "", 0, 30, 0, 0}));
    size += records.back().size();
  }
  const Bytes library = testing::schlib_file({{"HUGE", testing::sch_data_stream(records)}});
  const auto run = run_bounded([&] {
    const auto component = altium::parse_first_component(library);
    return component ? std::to_string(component->pins.size()) : component.error().message();
  });
  ASSERT_TRUE(run.finished) << run.ending;
  const std::size_t pins = records.size() - 1;
  EXPECT_EQ(run.report, pins > kMaxPinsOrPads ? "too many pins" : std::to_string(pins));
  EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(library.size()));
}

// A library whose one footprint stream is long enough to live in regular sectors.
Bytes long_footprint_library() {
  std::vector<PcbPad> pads;
  for (int i = 1; i <= 100; ++i) pads.push_back(pad(i));
  return testing::pcblib_file({{"BIG", testing::pcb_data_stream("BIG", pads)},
                               {"SMALL", testing::pcb_data_stream("SMALL", {pad(1)})}});
}

std::uint32_t entry_named(CfbEditor& editor, const char* name) {
  return editor.find_entry(name);
}

std::uint32_t data_start_of(CfbEditor& editor, const char* storage) {
  const std::uint32_t entry = editor.entry_u32(entry_named(editor, storage), CfbEntryField::kChild);
  return editor.entry_u32(entry, CfbEntryField::kStartSector);
}

struct Damage {
  const char* label;
  std::function<void(CfbEditor&)> apply;
};

// Damage to the container under a library: whatever the reader makes of it, it ends with an
// error it names or with what it could still read.
std::vector<Damage> container_damages() {
  return {
      {"data chain points at itself",
       [](CfbEditor& e) { e.set_fat_entry(data_start_of(e, "BIG"), data_start_of(e, "BIG")); }},
      {"data chain loops back",
       [](CfbEditor& e) { e.set_fat_entry(data_start_of(e, "BIG") + 3, data_start_of(e, "BIG")); }},
      {"directory chain points at itself",
       [](CfbEditor& e) {
         const auto s = e.header_u32(CfbHeaderField::kFirstDirectorySector);
         e.set_fat_entry(s, s);
       }},
      {"mini stream chain points at itself",
       [](CfbEditor& e) {
         const auto s = e.entry_u32(0, CfbEntryField::kStartSector);
         e.set_fat_entry(s, s);
       }},
      {"storage is its own child",
       [](CfbEditor& e) {
         const auto big = entry_named(e, "BIG");
         e.set_entry_u32(big, CfbEntryField::kChild, big);
       }},
      {"root is its own left sibling",
       [](CfbEditor& e) { e.set_entry_u32(0, CfbEntryField::kLeftSibling, 0); }},
      {"stream size near 2^32",
       [](CfbEditor& e) {
         const auto data = e.entry_u32(entry_named(e, "BIG"), CfbEntryField::kChild);
         e.set_entry_u32(data, CfbEntryField::kSizeLow, 0xFFFFFFF0);
       }},
      {"FAT sector count near 2^32",
       [](CfbEditor& e) { e.set_header_u32(CfbHeaderField::kFatSectorCount, 0xFFFFFFFF); }},
      {"mini FAT sector count near 2^32",
       [](CfbEditor& e) { e.set_header_u32(CfbHeaderField::kMiniFatSectorCount, 0xFFFFFFFF); }},
  };
}

bool sound_altium_outcome(const std::string& outcome, const std::filesystem::path& path) {
  return outcome.starts_with("pins=") || outcome == kNoVariants ||
         outcome == "error: altium-pcblib parsing " + path.string();
}

TEST(AltiumHostile, DamagedContainersEndWithinBounds) {
  const TempDir dir;
  const Bytes whole = long_footprint_library();
  const auto path = dir.write("a.PcbLib", std::string(whole.begin(), whole.end()));
  EXPECT_EQ(describe(read_altium(path, std::nullopt, std::nullopt)), "pins=0 pads=100 package=BIG");
  for (const auto& damage : container_damages()) {
    Bytes document = whole;
    CfbEditor editor(document);
    damage.apply(editor);
    dir.write("a.PcbLib", std::string(document.begin(), document.end()));
    const auto run = run_bounded([&] { return describe(read_altium(path, 100, path)); });
    ASSERT_TRUE(run.finished) << damage.label << ": " << run.ending;
    EXPECT_TRUE(sound_altium_outcome(run.report, path)) << damage.label << ": " << run.report;
    EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(document.size())) << damage.label;
  }
}

TEST(AltiumHostile, TruncationAtEverySectorEndsSoundly) {
  const TempDir dir;
  const Bytes whole = long_footprint_library();
  const auto path = dir.path() / "a.PcbLib";
  for (std::size_t cut = 0; cut < whole.size(); cut += 512) {
    dir.write("a.PcbLib", std::string(whole.begin(), whole.begin() + static_cast<long>(cut)));
    const std::string outcome = describe(read_altium(path, std::nullopt, path));
    EXPECT_TRUE(sound_altium_outcome(outcome, path)) << cut << ": " << outcome;
  }
}

// The compound-file reader would read the entries named by the root's sibling links as
// parentless entries and never free them (found by fuzzing the container): such a document is
// refused before it is opened. Links that read nothing (to the root itself, past the
// directory) are let through as before.
TEST(AltiumHostile, ARootWithSiblingsIsRefusedBeforeItIsOpened) {
  const Bytes whole = long_footprint_library();
  for (const std::size_t field : {CfbEntryField::kLeftSibling, CfbEntryField::kRightSibling}) {
    Bytes document = whole;
    CfbEditor editor(document);
    editor.set_entry_u32(0, field, entry_named(editor, "SMALL"));
    EXPECT_EQ(describe_entries(altium::parse_footprint_entries(document)),
              "error: open OLE2: root directory entry has siblings")
        << field;
  }
  Bytes harmless = whole;
  CfbEditor editor(harmless);
  editor.set_entry_u32(0, CfbEntryField::kLeftSibling, 0);
  editor.set_entry_u32(0, CfbEntryField::kRightSibling, 0x7FFFFFF0);
  EXPECT_EQ(describe_entries(altium::parse_footprint_entries(harmless)), "BIG:100 SMALL:1 ");
}

Bytes with_sector_shift(Bytes document, std::uint8_t shift) {
  document[0x1E] = shift;
  return document;
}

// Whatever kind of library holds it, a document of 1024-byte sectors is refused before libgsf
// walks its directory; the integrated library's embedded ones included.
TEST(AltiumHostile, EveryLibraryKindRefusesOddSectorSizes) {
  const Bytes footprints = with_sector_shift(long_footprint_library(), 10);
  const Bytes symbols = with_sector_shift(
      testing::schlib_file({{"U1", testing::sch_component_stream({SchPin{"A", "1"}})}}), 10);
  const Bytes intlib =
      testing::intlib_file({testing::intlib_stream(footprints)}, {testing::intlib_stream(symbols)});
  constexpr std::string_view kRefusal = "open OLE2: unsupported sector size";
  EXPECT_EQ(altium::parse_footprint_entries(footprints).error().message(), kRefusal);
  EXPECT_EQ(altium::parse_first_component(symbols).error().message(), kRefusal);
  const auto embedded = altium::parse_footprint_entries(intlib);
  ASSERT_FALSE(embedded.ok());
  ASSERT_NE(embedded.error().cause(), nullptr);
  EXPECT_EQ(embedded.error().cause()->message(), kRefusal);
  EXPECT_EQ(altium::parse_first_component(intlib).error().message(), kRefusal);
}

// zlib data that inflates to `inflated` zero bytes, made without holding them.
Bytes zlib_of_zeros(std::size_t inflated) {
  z_stream z{};
  deflateInit(&z, Z_BEST_COMPRESSION);
  const Bytes zeros(1 << 20, 0);
  Bytes out(1 << 16);
  Bytes compressed;
  for (std::size_t left = inflated; left > 0 || z.avail_in > 0;) {
    if (z.avail_in == 0) {
      const std::size_t chunk = std::min(left, zeros.size());
      z.next_in = const_cast<Bytef*>(zeros.data());
      z.avail_in = static_cast<uInt>(chunk);
      left -= chunk;
    }
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, left == 0 ? Z_FINISH : Z_NO_FLUSH);
    compressed.insert(compressed.end(), out.data(), z.next_out);
  }
  for (int status = Z_OK; status != Z_STREAM_END;) {
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    status = deflate(&z, Z_FINISH);
    compressed.insert(compressed.end(), out.data(), z.next_out);
  }
  deflateEnd(&z);
  return compressed;
}

TEST(AltiumHostile, AnInflationBombInAnIntegratedLibraryEndsWithinBounds) {
  const TempDir dir;
  Bytes bomb = {2};
  const Bytes zlib = zlib_of_zeros(std::size_t{300} << 20);  // past the 256 MiB bound
  bomb.insert(bomb.end(), zlib.begin(), zlib.end());
  const Bytes good = testing::pcblib_file({{"SO8", testing::pcb_data_stream("SO8", {pad(1)})}});
  const Bytes intlib = testing::intlib_file({bomb, testing::intlib_stream(good)}, {bomb});
  const auto path = dir.write("a.IntLib", std::string(intlib.begin(), intlib.end()));
  const auto run = run_bounded([&] { return describe(read_altium(path, std::nullopt, path)); });
  ASSERT_TRUE(run.finished) << run.ending;
  EXPECT_EQ(run.report, "pins=0 pads=1 package=SO8");
  EXPECT_LT(run.peak_rise_mib, 2 * memory_ceiling_mib(256 << 20));
}

TEST(AltiumHostile, AHugeFootprintLibraryReadsWithinBounds) {
  std::vector<PcbPad> pads;
  for (int i = 1; i <= 200; ++i) pads.push_back(pad(i));
  const Bytes stream = testing::pcb_data_stream("QFN", pads);
  std::vector<testing::LibraryElement> footprints;
  for (std::size_t total = 0; total < huge_input_bytes(); total += stream.size()) {
    footprints.push_back({"FP" + std::to_string(footprints.size()), stream});
  }
  footprints.push_back({"BEST", testing::pcb_data_stream("BEST", {pad(1), pad(2)})});
  const Bytes library = testing::pcblib_file(footprints);
  const TempDir dir;
  const auto path = dir.write("a.PcbLib", std::string(library.begin(), library.end()));
  const auto run = run_bounded([&] {
    const auto outcome = read_altium(path, 2, std::nullopt);
    const auto entries = altium::read_footprint_entries(path);
    return describe(outcome) + " entries=" + std::to_string(entries ? entries->size() : 0);
  });
  ASSERT_TRUE(run.finished) << run.ending;
  EXPECT_EQ(run.report, "pins=0 pads=2 package=BEST entries=" + std::to_string(footprints.size()));
  EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(library.size()));
}

}  // namespace
}  // namespace tessan::hostile
