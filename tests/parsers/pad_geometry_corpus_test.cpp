// Every footprint of the corpus, in every format that carries pad geometry, yields one
// geometry per pad.
#include <gtest/gtest.h>

#include <filesystem>

#include "parsers/altium/altium_reader.hpp"
#include "parsers/eagle_reader.hpp"
#include "parsers/kicad/kicad_reader.hpp"
#include "support/test_support.hpp"

namespace tessan {
namespace {

Result<SourceData> read_footprint(const std::filesystem::path& path) {
  const auto extension = path.extension();
  if (extension == ".kicad_mod") return read_kicad(std::nullopt, path);
  if (extension == ".lbr") return read_eagle(path);
  return read_altium(path, std::nullopt, std::nullopt);
}

TEST(PadGeometryCorpus, EveryFootprintHasOneGeometryPerPad) {
  TESSAN_REQUIRE_CORPUS(corpus);
  std::size_t footprints = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    const auto extension = entry.path().extension();
    if (extension != ".kicad_mod" && extension != ".lbr" && extension != ".PcbLib" &&
        extension != ".IntLib") {
      continue;
    }
    const auto record = read_footprint(entry.path());
    if (!record.ok()) continue;  // the binary EAGLE library and degenerate Altium files
    if (record->pads.empty()) continue;
    ++footprints;
    ASSERT_TRUE(record->pad_geometry) << entry.path();
    EXPECT_EQ(record->pad_geometry->size(), record->pads.size()) << entry.path();
    for (const PadGeometry& pad : *record->pad_geometry) {
      EXPECT_TRUE(pad.w > 0 && pad.h > 0) << entry.path();
    }
  }
  EXPECT_GE(footprints, 40u);
}

}  // namespace
}  // namespace tessan
