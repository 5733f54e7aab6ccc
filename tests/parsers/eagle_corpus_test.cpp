#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "parsers/eagle_reader.hpp"
#include "support/test_support.hpp"

namespace tessan {
namespace {

struct CorpusPart {
  const char* file;
  std::size_t pads;
  std::size_t pins;
  std::optional<std::string> package;
};

// Counted by reading the files: pads of the package the first device names, and one pin per
// pad of that device's connects.
const CorpusPart kParts[] = {
    // 29 connects; GND on "3 5 21" and VCC on "4 6".
    {"ATMEGA328P-AU/ATMEGA328P-AU.lbr", 32, 32, "QFP80P900X900X120-32N"},
    // 44 connects; "24 36 48" and "23 35 47".
    {"STM32F103C8T6/STM32F103C8T6.lbr", 48, 48, "QFP50P900X900X160-48N"},
    // 61 pads with the exposed pad split 41_1..41_21; 39 connects, one listing 11 pads.
    {"ESP32-S3-WROOM-1/ESP32-S3-WROOM-1.lbr", 61, 49, "XCVR_ESP32S3WROOM1N8R8"},
    // Footprint only: one package of 57 pads, no device.
    {"RP2040/RP2040.lbr", 57, 0, "QFN56-0.4-7X7"},
    {"TP4056/TP4056.lbr", 9, 9, "SOP127P600X175-9N"},
    // Four devices; the first (SS) names SOIC8. The WSON devices add "4 PAD".
    {"W25Q32JVSSIQ/W25Q32JVSSIQ.lbr", 8, 8, "SOIC8"},
    // GND connects "3 PAD".
    {"TP4056/alt/TP4056.triffid.lbr", 9, 9, "SOP-8"},
};

TEST(EagleCorpusTest, KnownPartsGiveTheirCounts) {
  TESSAN_REQUIRE_CORPUS(corpus);
  for (const auto& part : kParts) {
    const auto record = read_eagle(corpus / part.file);
    ASSERT_TRUE(record.ok()) << part.file << ": " << record.error().chain();
    EXPECT_EQ(record->pads.size(), part.pads) << part.file;
    EXPECT_EQ(record->pins.size(), part.pins) << part.file;
    EXPECT_EQ(record->package ? std::optional(record->package->package_name) : std::nullopt,
              part.package)
        << part.file;
  }
}

TEST(EagleCorpusTest, PinMapsOfSharedPins) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto atmega = read_eagle(corpus / "ATMEGA328P-AU/ATMEGA328P-AU.lbr");
  ASSERT_TRUE(atmega.ok());
  std::vector<std::string> gnd_pads;
  for (const auto& pin : atmega->pins) {
    if (pin.name == "GND") gnd_pads.push_back(pin.number);
  }
  EXPECT_EQ(gnd_pads, (std::vector<std::string>{"3", "5", "21"}));

  const auto w25q = read_eagle(corpus / "W25Q32JVSSIQ/W25Q32JVSSIQ.lbr");
  ASSERT_TRUE(w25q.ok());
  ASSERT_TRUE(w25q->package && w25q->package->body_x_mm && w25q->package->body_y_mm);
  EXPECT_DOUBLE_EQ(*w25q->package->body_x_mm, 5.2);
  EXPECT_DOUBLE_EQ(*w25q->package->body_y_mm, 3.81);
  EXPECT_TRUE(std::none_of(w25q->pins.begin(), w25q->pins.end(),
                           [](const Pin& pin) { return pin.number == "PAD"; }));
}

TEST(EagleCorpusTest, EveryLibraryReads) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const std::regex numbered(".*@[0-9]+");
  std::size_t libraries = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    if (entry.path().extension() != ".lbr") continue;
    const auto record = read_eagle(entry.path());
    if (entry.path().filename() == "dp_devices.lbr") {
      // A binary library of EAGLE before version 6: not text at all.
      ASSERT_FALSE(record.ok());
      EXPECT_EQ(record.error().message(), "reading " + entry.path().string());
      continue;
    }
    ++libraries;
    ASSERT_TRUE(record.ok()) << entry.path() << ": " << record.error().chain();
    EXPECT_TRUE(record->package) << entry.path();
    for (const auto& pin : record->pins) {
      EXPECT_FALSE(std::regex_match(pin.name, numbered)) << entry.path() << ": " << pin.name;
    }
  }
  EXPECT_GE(libraries, 15u);
}

}  // namespace
}  // namespace tessan
