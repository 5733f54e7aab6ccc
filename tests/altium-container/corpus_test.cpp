// Every Altium library of the corpus of real files opens and lists its storages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "altium_container/container.hpp"
#include "altium_container/records.hpp"
#include "support/test_support.hpp"

namespace {

namespace fs = std::filesystem;
using tessan::testing::read_file;

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::vector<fs::path> altium_libraries(const fs::path& corpus) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
    const std::string extension = lower(entry.path().extension().string());
    if (extension == ".pcblib" || extension == ".schlib" || extension == ".intlib") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

altium::Bytes bytes_of(const fs::path& path) {
  const std::string content = read_file(path);
  return altium::Bytes(content.begin(), content.end());
}

// A library's element storages each hold a readable "Data" stream; an integrated library's
// "PCBLib" and "SchLib" storages hold embedded libraries instead, which are libraries too.
void expect_readable_library(const altium::Bytes& bytes, const std::string& label) {
  const auto container = altium::open_altium_container(bytes);
  ASSERT_TRUE(container.ok()) << label << ": " << container.error().message();
  const auto storages = altium::list_library_storages(*container);
  EXPECT_FALSE(storages.empty()) << label;
  for (const auto& storage : storages) {
    if (const auto embedded = altium::embedded_libraries(*container, storage)) {
      EXPECT_FALSE(embedded->empty()) << label << " " << storage;
      for (const auto& library : *embedded) {
        ASSERT_TRUE(library.ok()) << label << " " << storage << ": " << library.error().message();
        expect_readable_library(*library, label + " > " + storage);
      }
      continue;
    }
    const auto data = altium::read_data_stream(*container, storage);
    EXPECT_TRUE(data.ok()) << label << " " << storage << ": " << data.error_text;
  }
}

TEST(CorpusLibraries, EveryAltiumLibraryOpensAndListsReadableStorages) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto files = altium_libraries(corpus);
  EXPECT_GE(files.size(), 40u);
  for (const auto& file : files) {
    expect_readable_library(bytes_of(file), fs::relative(file, corpus).string());
  }
}

TEST(CorpusLibraries, IntegratedLibrariesEmbedFootprintAndSymbolLibraries) {
  TESSAN_REQUIRE_CORPUS(corpus);
  for (const char* part : {"150060BS75000/150060BS75000.IntLib", "744774022/744774022.IntLib"}) {
    const auto container = altium::open_altium_container(bytes_of(corpus / part));
    ASSERT_TRUE(container.ok()) << part;
    EXPECT_EQ(altium::list_library_storages(*container),
              (std::vector<std::string>{"PCBLib", "SchLib"}));
    const auto footprints = altium::embedded_libraries(*container, "PCBLib");
    ASSERT_TRUE(footprints.has_value()) << part;
    EXPECT_EQ(footprints->size(), 1u) << part;
    const auto symbols = altium::embedded_libraries(*container, "SchLib");
    ASSERT_TRUE(symbols.has_value()) << part;
    EXPECT_GE(symbols->size(), 4u) << part;
    EXPECT_EQ(altium::read_data_stream(*container, "PCBLib").failure,
              altium::StreamFailure::CannotOpen);
  }
}

TEST(CorpusLibraries, FootprintStorageOrderFollowsTheDirectory) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto container =
      altium::open_altium_container(bytes_of(corpus / "WEMOSD1MINI/WEMOSD1MINI.PcbLib"));
  ASSERT_TRUE(container.ok());
  EXPECT_EQ(altium::list_library_storages(*container),
            (std::vector<std::string>{"WEMOSD1MINI", "WemosD1Mini_UpsideDown"}));
}

TEST(CorpusLibraries, FootprintNameAndPadsFrameInARealStream) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto container =
      altium::open_altium_container(bytes_of(corpus / "STM32F103C8T6/STM32F103C8T6.PcbLib"));
  ASSERT_TRUE(container.ok());
  const auto data = altium::read_data_stream(*container, "STM32F103C8T6");
  ASSERT_TRUE(data.ok());
  ASSERT_GE(data.bytes.size(), 4u);
  const std::size_t name_block = data.bytes[0] | data.bytes[1] << 8 | data.bytes[2] << 16 |
                                 static_cast<std::size_t>(data.bytes[3]) << 24;
  std::size_t cursor = 4;
  EXPECT_EQ(altium::read_pascal_string(data.bytes, cursor), "STM32F103C8T6");
  const auto records = altium::walk_pcb_records(data.bytes, 4 + name_block);
  const auto pads = std::count_if(records.begin(), records.end(),
                                  [](const altium::PcbRecord& r) { return r.type == 2; });
  EXPECT_EQ(pads, 48);
}

}  // namespace
