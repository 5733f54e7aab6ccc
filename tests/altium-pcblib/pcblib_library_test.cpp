// Whole footprint libraries: storage order, sorting, alternates, failures and integrated libraries.
#include <gtest/gtest.h>

#include "altium_pcblib/footprint_library.hpp"
#include "altium_pcblib/pcblib.hpp"
#include "footprint_stream_builder.hpp"
#include "support/altium_builders.hpp"
#include "support/test_support.hpp"

namespace {

using pcblib_test::numbered_footprint;
using tessan::testing::Bytes;
using tessan::testing::CfbNode;
using tessan::testing::intlib_file;
using tessan::testing::intlib_stream;
using tessan::testing::pcblib_file;
using tessan::testing::write_cfb;

// (name, pad count) of every entry, in order.
std::vector<std::pair<std::string, std::size_t>> summary(const altium::FootprintEntries& entries) {
  std::vector<std::pair<std::string, std::size_t>> out;
  for (const auto& entry : entries) out.emplace_back(entry.module_name, entry.pads.size());
  return out;
}

std::vector<std::pair<std::string, std::size_t>> summary_of(const Bytes& file) {
  const auto entries = altium::parse_footprint_entries(file);
  EXPECT_TRUE(entries.ok()) << (entries.ok() ? "" : entries.error().chain());
  return entries.ok() ? summary(*entries) : decltype(summary(*entries)){};
}

std::string error_of(const Bytes& file) {
  const auto entries = altium::parse_footprint_entries(file);
  return entries.ok() ? "(no error)" : entries.error().message();
}

using Summary = std::vector<std::pair<std::string, std::size_t>>;

TEST(PcbLibLibrary, EntriesAreSortedByPadCountStably) {
  const Bytes file = pcblib_file({{"FPA", numbered_footprint("SOIC8", 8)},
                                  {"FPB", numbered_footprint("WSON8_EP", 9)},
                                  {"FPC", numbered_footprint("SOIC8_EP", 9)}});
  EXPECT_EQ(summary_of(file), (Summary{{"WSON8_EP", 9}, {"SOIC8_EP", 9}, {"SOIC8", 8}}));

  const auto document = altium::parse_pcblib(file);
  ASSERT_TRUE(document.ok());
  EXPECT_EQ((*document)["module_name"], "WSON8_EP");
  EXPECT_EQ((*document)["_source"], "altium_pcblib");
  ASSERT_EQ((*document)["_alternates"].size(), 2u);
  EXPECT_EQ((*document)["_alternates"][0]["module_name"], "SOIC8_EP");
  EXPECT_EQ((*document)["_alternates"][1]["module_name"], "SOIC8");
  EXPECT_EQ((*document)["_alternates"][1]["pad_count"], 8);
}

TEST(PcbLibLibrary, StoragesAreReadInDirectoryOrderWhateverTheArrayOrder) {
  // Directory order puts shorter names first, then compares upper-cased names.
  const std::vector<tessan::testing::LibraryElement> footprints = {
      {"b2", numbered_footprint("second", 2)},
      {"TSSOP14", numbered_footprint("third", 2)},
      {"A1", numbered_footprint("first", 2)}};
  for (const auto order :
       {tessan::testing::DirectoryOrder::Given, tessan::testing::DirectoryOrder::Reversed}) {
    EXPECT_EQ(summary_of(pcblib_file(footprints, {.order = order})),
              (Summary{{"first", 2}, {"second", 2}, {"third", 2}}));
  }
}

TEST(PcbLibLibrary, SingleFootprintHasNoAlternates) {
  const auto document =
      altium::parse_pcblib(pcblib_file({{"SOT23", numbered_footprint("SOT23", 3)}}));
  ASSERT_TRUE(document.ok());
  EXPECT_EQ((*document)["pad_count"], 3);
  EXPECT_FALSE(document->contains("_alternates"));
}

TEST(PcbLibLibrary, UnframeableStreamsBecomeErrorEntriesAfterTheFootprints) {
  Bytes overrun;
  pcblib_test::put_u32(overrun, 50);
  const Bytes file =
      pcblib_file({{"AA", Bytes{1, 2, 3}}, {"BB", overrun}, {"CC", numbered_footprint("QFN", 1)}});
  const auto entries = altium::parse_footprint_entries(file);
  ASSERT_TRUE(entries.ok());
  ASSERT_EQ(entries->size(), 3u);
  EXPECT_EQ((*entries)[0].module_name, "QFN");
  EXPECT_EQ((*entries)[1].module_name, "AA");
  EXPECT_EQ((*entries)[1].parse_error, "stream too short (3 bytes)");
  EXPECT_EQ((*entries)[2].module_name, "BB");
  EXPECT_EQ((*entries)[2].parse_error, "footprint name block overruns stream");
}

TEST(PcbLibLibrary, OnlyFootprintTooShortGivesAnErrorEntryAsPrimary) {
  const auto document = altium::parse_pcblib(pcblib_file({{"SOIC8", Bytes{1, 2, 3}}}));
  ASSERT_TRUE(document.ok());
  EXPECT_EQ((*document)["module_name"], "SOIC8");
  EXPECT_EQ((*document)["pad_count"], 0);
  EXPECT_EQ((*document)["_parse_error"], "stream too short (3 bytes)");
}

TEST(PcbLibLibrary, StoragesWithoutAReadableDataStreamContributeNothing) {
  const Bytes file = write_cfb({
      CfbNode::storage("NODATA", {CfbNode::stream("Header", Bytes{1, 0, 0, 0})}),
      CfbNode::storage("DIRDATA", {CfbNode::storage("Data", {})}),
      CfbNode::storage("SOIC8", {CfbNode::stream("Data", numbered_footprint("SOIC8", 8))}),
  });
  EXPECT_EQ(summary_of(file), (Summary{{"SOIC8", 8}}));
}

TEST(PcbLibLibrary, WholeLibraryFailures) {
  EXPECT_EQ(error_of(write_cfb({CfbNode::stream("FileHeader", std::string_view("x")),
                                CfbNode::storage("Library", {}),
                                CfbNode::storage("FileVersionInfo", {})})),
            "no footprint storages found in PcbLib");
  EXPECT_EQ(
      error_of(write_cfb({CfbNode::storage("NODATA", {CfbNode::stream("Header", Bytes{1})})})),
      "no parseable footprints in PcbLib");
  EXPECT_EQ(error_of(Bytes{'n', 'o', 't', ' ', 'O', 'L', 'E', '2', 0, 0}),
            "not an OLE2 compound document (bad magic)");
}

TEST(PcbLibLibrary, FileThatCannotBeReadNamesThePathWithTheReasonAsCause) {
  const tessan::testing::TempDir dir;
  const auto missing = dir.path() / "missing.PcbLib";
  const auto result = altium::read_pcblib(missing);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().message(), "read .PcbLib: " + missing.string());
  ASSERT_NE(result.error().cause(), nullptr);
  EXPECT_EQ(result.error().cause()->message(), "No such file or directory");

  const auto directory = altium::read_pcblib(dir.path());
  ASSERT_FALSE(directory.ok());
  EXPECT_EQ(directory.error().cause()->message(), "Is a directory");
}

TEST(PcbLibLibrary, ReadsAFileFromDisk) {
  const tessan::testing::TempDir dir;
  const Bytes file = pcblib_file({{"SOT23", numbered_footprint("SOT23", 3)}});
  const auto path = dir.write(
      "part.PcbLib", std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
  const auto document = altium::read_pcblib(path);
  ASSERT_TRUE(document.ok());
  EXPECT_EQ((*document)["pad_count"], 3);
}

TEST(IntegratedLibrary, FootprintsOfEveryEmbeddedLibraryAreSortedTogether) {
  const Bytes first = pcblib_file(
      {{"AA", numbered_footprint("R0603", 2)}, {"BB", numbered_footprint("SOT23-5", 5)}});
  const Bytes second =
      pcblib_file({{"CC", numbered_footprint("SOT25", 5)}, {"DD", numbered_footprint("SOT23", 3)}});
  const Bytes file = intlib_file({intlib_stream(first, true), intlib_stream(second, false)}, {});
  EXPECT_EQ(summary_of(file), (Summary{{"SOT23-5", 5}, {"SOT25", 5}, {"SOT23", 3}, {"R0603", 2}}));
}

TEST(IntegratedLibrary, EmbeddedLibrariesThatFailContributeNothing) {
  const Bytes good = pcblib_file({{"AA", numbered_footprint("SOIC8", 8)}});
  const Bytes not_zlib = {2, 'g', 'a', 'r', 'b', 'a', 'g', 'e'};
  const Bytes not_a_library = intlib_stream(Bytes(600, 0x41), true);
  EXPECT_EQ(summary_of(intlib_file({not_zlib, not_a_library, intlib_stream(good)}, {})),
            (Summary{{"SOIC8", 8}}));
}

TEST(IntegratedLibrary, NoUsableEmbeddedLibraryFails) {
  const auto entries = altium::parse_footprint_entries(
      intlib_file({Bytes{2, 1, 2, 3}, intlib_stream(Bytes(16, 0))}, {}));
  ASSERT_FALSE(entries.ok());
  EXPECT_EQ(entries.error().message(), "no parseable footprints in PcbLib");
  EXPECT_NE(entries.error().cause(), nullptr);
}

TEST(IntegratedLibrary, SymbolSideOfAnIntegratedLibraryIsNotReadForFootprints) {
  const Bytes schlib = tessan::testing::schlib_file({{"LM358", Bytes{}}});
  EXPECT_EQ(error_of(intlib_file({}, {intlib_stream(schlib)})),
            "no parseable footprints in PcbLib");
}

TEST(IntegratedLibrary, PlainLibraryWithAFootprintNamedPcbLibIsReadAsBefore) {
  const Bytes file = pcblib_file({{"PCBLib", numbered_footprint("PCBLib", 4)}});
  EXPECT_EQ(summary_of(file), (Summary{{"PCBLib", 4}}));
}

TEST(DamagedLibrary, TruncationAndCorruptionNeverCrash) {
  std::vector<tessan::testing::LibraryElement> footprints;
  for (int i = 0; i < 6; ++i) {
    footprints.push_back({"FP" + std::to_string(i), numbered_footprint("FP", 20 + i * 30)});
  }
  const Bytes file = pcblib_file(footprints);
  for (std::size_t length = 0; length < file.size(); length += 512) {
    const Bytes truncated(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    (void)altium::parse_pcblib(truncated);
  }
  std::uint32_t state = 12345;
  for (int round = 0; round < 200; ++round) {
    Bytes damaged = file;
    for (int flip = 0; flip < 8; ++flip) {
      state = state * 1664525u + 1013904223u;
      damaged[state % damaged.size()] ^= static_cast<std::uint8_t>(state >> 24);
    }
    (void)altium::parse_pcblib(damaged);
  }
  SUCCEED();
}

}  // namespace
