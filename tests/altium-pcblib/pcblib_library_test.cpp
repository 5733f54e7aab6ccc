// Whole footprint libraries: storage order, sorting, failures, integrated and damaged libraries.
#include <gtest/gtest.h>

#include "altium_pcblib/footprint_library.hpp"
#include "altium_pcblib/pcblib.hpp"
#include "pad_builders.hpp"
#include "support/test_support.hpp"

namespace {

using namespace tessan::testing;
using pcblib_test::numbered_footprint;
using Summary = std::vector<std::pair<std::string, std::size_t>>;

// (name, pad count) of every entry, in order; or the error's message.
Summary summary_of(const Bytes& file) {
  const auto entries = altium::parse_footprint_entries(file);
  if (!entries) return {{entries.error().message(), 0}};
  Summary out;
  for (const auto& entry : *entries) out.emplace_back(entry.module_name, entry.pads.size());
  return out;
}

std::string error_of(const Bytes& file) {
  const auto entries = altium::parse_footprint_entries(file);
  return entries ? "(no error)" : entries.error().message();
}

TEST(PcbLibLibrary, EntriesAreSortedByPadCountKeepingStorageOrderAmongEquals) {
  const Bytes file = pcblib_file({{"FPA", numbered_footprint("SOIC8", 8)},
                                  {"FPB", numbered_footprint("WSON8_EP", 9)},
                                  {"FPC", numbered_footprint("SOIC8_EP", 9)}});
  EXPECT_EQ(summary_of(file), (Summary{{"WSON8_EP", 9}, {"SOIC8_EP", 9}, {"SOIC8", 8}}));
  const auto document = altium::parse_pcblib(file);
  ASSERT_TRUE(document.ok());
  EXPECT_EQ((*document)["module_name"], "WSON8_EP");
  EXPECT_EQ((*document)["_alternates"][1]["module_name"], "SOIC8");
}

TEST(PcbLibLibrary, StoragesAreReadInDirectoryOrderWhateverTheArrayOrder) {
  // Directory order: shorter names first, then by upper-cased name.
  const std::vector<LibraryElement> footprints = {{"b2", numbered_footprint("second", 2)},
                                                  {"TSSOP14", numbered_footprint("third", 2)},
                                                  {"A1", numbered_footprint("first", 2)}};
  for (const auto order : {DirectoryOrder::Given, DirectoryOrder::Reversed}) {
    EXPECT_EQ(summary_of(pcblib_file(footprints, {.order = order})),
              (Summary{{"first", 2}, {"second", 2}, {"third", 2}}));
  }
}

TEST(PcbLibLibrary, UnframeableStreamsAreErrorEntriesUnreadableOnesContributeNothing) {
  Bytes overrun;
  append_u32(overrun, 50);
  const Bytes file = write_cfb({
      CfbNode::storage("AA", {CfbNode::stream("Data", Bytes{1, 2, 3})}),
      CfbNode::storage("BB", {CfbNode::stream("Data", overrun)}),
      CfbNode::storage("CC", {CfbNode::stream("Data", numbered_footprint("QFN", 1))}),
      CfbNode::storage("NODATA", {CfbNode::stream("Header", Bytes{1, 0, 0, 0})}),
      CfbNode::storage("DIRDATA", {CfbNode::storage("Data", {})}),
  });
  const auto entries = altium::parse_footprint_entries(file);
  ASSERT_TRUE(entries.ok());
  ASSERT_EQ(entries->size(), 3u);
  EXPECT_EQ((*entries)[0].module_name, "QFN");
  EXPECT_EQ((*entries)[1].module_name, "AA");
  EXPECT_EQ((*entries)[1].parse_error, "stream too short (3 bytes)");
  EXPECT_EQ((*entries)[2].module_name, "BB");
  EXPECT_EQ((*entries)[2].parse_error, "footprint name block overruns stream");
}

TEST(PcbLibLibrary, WholeLibraryFailures) {
  EXPECT_EQ(error_of(pcblib_file({})), "no footprint storages found in PcbLib");
  EXPECT_EQ(
      error_of(write_cfb({CfbNode::storage("NODATA", {CfbNode::stream("Header", Bytes{1})})})),
      "no parseable footprints in PcbLib");
  EXPECT_EQ(error_of(Bytes{'n', 'o', 't', ' ', 'O', 'L', 'E', '2', 0}),
            "not an OLE2 compound document (bad magic)");

  const TempDir dir;
  for (const auto& path : {dir.path() / "missing.PcbLib", dir.path()}) {
    const auto result = altium::read_pcblib(path);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().message(), "read .PcbLib: " + path.string());
    ASSERT_NE(result.error().cause(), nullptr);
    EXPECT_EQ(result.error().cause()->message(),
              path == dir.path() ? "Is a directory" : "No such file or directory");
  }
}

TEST(IntegratedLibrary, FootprintsOfEveryEmbeddedLibraryAreSortedTogether) {
  const Bytes first = pcblib_file(
      {{"AA", numbered_footprint("R0603", 2)}, {"BB", numbered_footprint("SOT23-5", 5)}});
  const Bytes second =
      pcblib_file({{"CC", numbered_footprint("SOT25", 5)}, {"DD", numbered_footprint("SOT23", 3)}});
  EXPECT_EQ(summary_of(intlib_file({intlib_stream(first, true), intlib_stream(second, false)}, {})),
            (Summary{{"SOT23-5", 5}, {"SOT25", 5}, {"SOT23", 3}, {"R0603", 2}}));
}

TEST(IntegratedLibrary, EmbeddedLibrariesThatFailContributeNothing) {
  const Bytes good = pcblib_file({{"AA", numbered_footprint("SOIC8", 8)}});
  const Bytes not_zlib = {2, 'g', 'a', 'r', 'b', 'a', 'g', 'e'};
  const Bytes not_a_library = intlib_stream(Bytes(600, 0x41));
  EXPECT_EQ(summary_of(intlib_file({not_zlib, not_a_library, intlib_stream(good)}, {})),
            (Summary{{"SOIC8", 8}}));

  const auto none = altium::parse_footprint_entries(intlib_file({not_zlib, not_a_library}, {}));
  ASSERT_FALSE(none.ok());
  EXPECT_EQ(none.error().message(), "no parseable footprints in PcbLib");
  EXPECT_NE(none.error().cause(), nullptr);  // why the first embedded library failed
}

TEST(IntegratedLibrary, OnlyTheFootprintSideCountsAndPlainLibrariesAreReadAsBefore) {
  const Bytes schlib = schlib_file({{"LM358", Bytes{}}});
  EXPECT_EQ(error_of(intlib_file({}, {intlib_stream(schlib)})),
            "no parseable footprints in PcbLib");
  EXPECT_EQ(summary_of(pcblib_file({{"PCBLib", numbered_footprint("PCBLib", 4)}})),
            (Summary{{"PCBLib", 4}}));
}

TEST(DamagedLibrary, TruncationAndCorruptionNeverCrash) {
  std::vector<LibraryElement> footprints;
  for (int i = 0; i < 6; ++i) {
    footprints.push_back({"FP" + std::to_string(i), numbered_footprint("FP", 20 + i * 30)});
  }
  const Bytes file = pcblib_file(footprints);
  for (std::size_t length = 0; length < file.size(); length += 512) {
    (void)altium::parse_pcblib(
        Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)));
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
}

}  // namespace
