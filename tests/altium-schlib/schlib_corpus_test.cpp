// Real schematic libraries, integrated ones included, all read. Pin names of known parts are
// checked through the Altium source (tests/parsers/altium).
#include <gtest/gtest.h>

#include <algorithm>

#include "altium_schlib/component_library.hpp"
#include "altium_schlib/schlib.hpp"
#include "support/test_support.hpp"

namespace {

bool is_symbol_library(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".schlib" || extension == ".intlib";
}

TEST(SchLibCorpus, EverySymbolLibraryReadsOrLacksPins) {
  TESSAN_REQUIRE_CORPUS(corpus);
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    if (!is_symbol_library(entry.path())) continue;
    ++files;
    const auto document = altium::read_schlib(entry.path());
    const std::string stem = entry.path().stem().string();
    if (stem == "PC817" || stem == "ICE40LP384-CM49") {  // symbols drawn without pins
      ASSERT_FALSE(document.ok());
      EXPECT_TRUE(document.error().message().starts_with("no pins parsed from component "));
    } else {
      ASSERT_TRUE(document.ok()) << entry.path() << ": " << document.error().chain();
    }
  }
  EXPECT_GE(files, 25u);
}

TEST(SchLibCorpus, HeaderBodyAndPinDescriptions) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto stm32 = altium::read_first_component(corpus / "STM32F103C8T6/STM32F103C8T6.SchLib");
  ASSERT_TRUE(stm32.ok());
  EXPECT_EQ(stm32->part_count, 3);
  EXPECT_EQ(stm32->description, "No Description Available");
  EXPECT_TRUE(stm32->body.has_value());
  // Every pin record of this library carries a description ("Dedicated ground pin." ...).
  const auto fpga =
      altium::read_first_component(corpus / "XC3S200AN-4FT256I/XC3S200AN-4FT256I.SchLib");
  ASSERT_TRUE(fpga.ok());
  ASSERT_EQ(fpga->pins.size(), 256u);
  EXPECT_EQ(fpga->pins[0].number, "A1");
  EXPECT_EQ(fpga->pins[0].name, "GND");
  EXPECT_EQ(fpga->pins[0].rotation(), 180u);
  // Geometry on the library's 10-unit grid: pins 30 long, drawn at x 30 (left, pointing left)
  // and x 130 (right, pointing right).
  const auto charger = altium::read_first_component(corpus / "TP4056/TP4056.SchLib");
  ASSERT_TRUE(charger.ok());
  ASSERT_EQ(charger->pins.size(), 8u);
  // Its keys are upper case (PARTCOUNT=2).
  EXPECT_EQ(charger->part_count, 2);
  for (const auto& pin : charger->pins) {
    EXPECT_EQ(pin.length, 30) << pin.number;
    EXPECT_TRUE(pin.x == 30 || pin.x == 130) << pin.number << " x=" << pin.x;
    EXPECT_EQ(pin.y % 10, 0) << pin.number;
    EXPECT_EQ(pin.rotation(), pin.x == 30 ? 180u : 0u) << pin.number;
  }
  // Text in Windows-1252: the registered sign.
  const auto module =
      altium::read_first_component(corpus / "ESP32-C3-MINI-1/ESP32-C3-MINI-1.SchLib");
  ASSERT_TRUE(module.ok());
  EXPECT_NE(module->description.find("Bluetooth\u00AE 5"), std::string::npos)
      << module->description;
}

}  // namespace
