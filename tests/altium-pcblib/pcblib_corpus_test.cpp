// Real footprint libraries, integrated ones included, all read. Pad labels of known parts are
// checked through the Altium source (tests/parsers/altium).
#include <gtest/gtest.h>

#include <algorithm>

#include "altium_pcblib/footprint_library.hpp"
#include "altium_pcblib/pcblib.hpp"
#include "support/test_support.hpp"

namespace {

bool is_footprint_library(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".pcblib" || extension == ".intlib";
}

TEST(PcbLibCorpus, EveryFootprintLibraryReads) {
  TESSAN_REQUIRE_CORPUS(corpus);
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    if (!is_footprint_library(entry.path())) continue;
    ++files;
    const auto document = altium::read_pcblib(entry.path());
    ASSERT_TRUE(document.ok()) << entry.path() << ": " << document.error().chain();
    EXPECT_GT((*document)["pad_count"].get<std::size_t>() + !(*document)["module_name"].empty(),
              0u);
  }
  EXPECT_GE(files, 25u);
}

TEST(PcbLibCorpus, LargeLibrariesSortedWithTrackOnlyFootprintLast) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto core = altium::read_footprint_entries(corpus / "_large/CORE.PcbLib");
  ASSERT_TRUE(core.ok());
  EXPECT_EQ(core->size(), 32u);
  EXPECT_EQ(core->front().module_name, "LQFP64");
  EXPECT_EQ(core->back().module_name, "THAND");  // 472 tracks, no pads, not an error
  EXPECT_FALSE(core->back().parse_error.has_value());
  // Two embedded PcbLib streams of 10 and 8 footprints; the first 50-pad one leads.
  const auto idc =
      altium::read_footprint_entries(corpus / "_large/Altium_BHD_IDC-Connectors (rev18b).IntLib");
  ASSERT_TRUE(idc.ok());
  EXPECT_EQ(idc->size(), 18u);
  EXPECT_EQ(idc->front().module_name, "61205022323");
  EXPECT_EQ(idc->front().pads.size(), 50u);
}

}  // namespace
