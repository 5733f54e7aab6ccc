// Real footprint libraries: every one reads, and known parts give the pads their other formats
// show.
#include <gtest/gtest.h>

#include <algorithm>

#include "altium_pcblib/footprint_library.hpp"
#include "altium_pcblib/pcblib.hpp"
#include "support/test_support.hpp"

namespace {

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::vector<std::filesystem::path> footprint_libraries(const std::filesystem::path& corpus) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    const std::string extension = lower(entry.path().extension().string());
    if (extension == ".pcblib" || extension == ".intlib") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(PcbLibCorpus, EveryFootprintLibraryReads) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto files = footprint_libraries(corpus);
  EXPECT_GE(files.size(), 25u);
  for (const auto& file : files) {
    const auto document = altium::read_pcblib(file);
    ASSERT_TRUE(document.ok()) << file << ": " << document.error().chain();
    EXPECT_EQ((*document)["_source"], "altium_pcblib") << file;
  }
}

struct KnownFootprint {
  const char* file;
  const char* module_name;
  std::size_t pad_count;
  std::size_t alternates;
  std::vector<std::pair<std::size_t, std::string>> pads;  // (index, label)
};

class PcbLibCorpusPart : public ::testing::TestWithParam<KnownFootprint> {};

TEST_P(PcbLibCorpusPart, PrimaryFootprintMatchesTheOtherFormats) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const KnownFootprint& known = GetParam();
  const auto entries = altium::read_footprint_entries(corpus / known.file);
  ASSERT_TRUE(entries.ok()) << entries.error().chain();
  const altium::FootprintEntry& primary = entries->front();
  EXPECT_EQ(primary.module_name, known.module_name);
  EXPECT_FALSE(primary.parse_error.has_value());
  ASSERT_EQ(primary.pads.size(), known.pad_count);
  EXPECT_EQ(entries->size() - 1, known.alternates);
  for (const auto& [index, label] : known.pads) EXPECT_EQ(primary.pads[index].number, label);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, PcbLibCorpusPart,
    ::testing::Values(
        KnownFootprint{"ATMEGA328P-AU/ATMEGA328P-AU.PcbLib",
                       "TQFP-32",
                       32,
                       0,
                       {{0, "1"}, {19, "20"}, {31, "32"}}},
        // Stored 9..16, then 8..1.
        KnownFootprint{"CH340G/CH340G.PcbLib", "CH340G", 16, 0, {{0, "9"}, {7, "16"}, {15, "1"}}},
        KnownFootprint{
            "STM32F103C8T6/STM32F103C8T6.PcbLib", "STM32F103C8T6", 48, 0, {{0, "1"}, {47, "48"}}},
        // No exposed pad, unlike the EAGLE package.
        KnownFootprint{"TP4056/TP4056.PcbLib", "TP4056", 8, 0, {{0, "1"}, {4, "8"}, {7, "5"}}},
        KnownFootprint{"ESP32-S3-WROOM-1/ESP32-S3-WROOM-1.PcbLib",
                       "ESP32-S3-WROOM-1",
                       61,
                       0,
                       {{0, "41_21"}, {12, "26"}, {59, "1"}, {60, "41_1"}}},
        KnownFootprint{
            "XC3S200AN-4FT256I/XC3S200AN-4FT256I.PcbLib", "XC3S200AN-4FT256I", 256, 0, {}},
        KnownFootprint{"WEMOSD1MINI/WEMOSD1MINI.PcbLib", "WEMOSD1MINI", 16, 1, {}},
        KnownFootprint{"PC817/PC817.PcbLib", "PC817", 0, 0, {}},
        // Integrated libraries: the footprints of the embedded PcbLib streams.
        KnownFootprint{
            "150060BS75000/150060BS75000.IntLib", "WL-SMCW_0805", 2, 4, {{0, "2"}, {1, "1"}}},
        KnownFootprint{"744774022/744774022.IntLib", "WE-PD2_1054", 2, 4, {{0, "2"}, {1, "1"}}},
        // Two embedded PcbLib streams of 10 and 8 footprints; the first 50-pad one leads.
        KnownFootprint{
            "_large/Altium_BHD_IDC-Connectors (rev18b).IntLib", "61205022323", 50, 17, {{0, "50"}}},
        KnownFootprint{"_large/CORE.PcbLib", "LQFP64", 64, 31, {}}),
    [](const auto& info) {
      std::string name = std::filesystem::path(info.param.file).stem().string();
      std::replace_if(
          name.begin(), name.end(),
          [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
      return name;
    });

TEST(PcbLibCorpus, FootprintWithTracksButNoPadsIsKept) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto entries = altium::read_footprint_entries(corpus / "_large/CORE.PcbLib");
  ASSERT_TRUE(entries.ok());
  const auto thand = std::find_if(entries->begin(), entries->end(),
                                  [](const auto& e) { return e.module_name == "THAND"; });
  ASSERT_NE(thand, entries->end());
  EXPECT_TRUE(thand->pads.empty());
  EXPECT_FALSE(thand->parse_error.has_value());
  EXPECT_EQ(&*thand, &entries->back());
}

}  // namespace
