// Real schematic libraries: every one reads, and known parts give the pins their other formats
// show.
#include <gtest/gtest.h>

#include <algorithm>

#include "altium_schlib/component_library.hpp"
#include "altium_schlib/schlib.hpp"
#include "support/test_support.hpp"

namespace {

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::vector<std::filesystem::path> symbol_libraries(const std::filesystem::path& corpus) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    const std::string extension = lower(entry.path().extension().string());
    if (extension == ".schlib" || extension == ".intlib") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(SchLibCorpus, EverySymbolLibraryReadsOrFailsForLackOfPins) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto files = symbol_libraries(corpus);
  EXPECT_GE(files.size(), 25u);
  for (const auto& file : files) {
    const auto document = altium::read_schlib(file);
    const std::string stem = file.stem().string();
    if (stem == "PC817" || stem == "ICE40LP384-CM49") {
      ASSERT_FALSE(document.ok()) << file;
      EXPECT_TRUE(document.error().message().starts_with("no pins parsed from component "));
    } else {
      ASSERT_TRUE(document.ok()) << file << ": " << document.error().chain();
      EXPECT_GT((*document)["pin_count"].get<std::size_t>(), 0u) << file;
    }
  }
}

struct KnownComponent {
  const char* file;
  const char* module_name;
  std::size_t pin_count;
  std::vector<std::pair<std::string, std::string>> pins;  // (number, name) that must be there
};

class SchLibCorpusPart : public ::testing::TestWithParam<KnownComponent> {};

TEST_P(SchLibCorpusPart, PinsMatchTheOtherFormats) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const KnownComponent& known = GetParam();
  const auto component = altium::read_first_component(corpus / known.file);
  ASSERT_TRUE(component.ok()) << component.error().chain();
  EXPECT_EQ(component->module_name, known.module_name);
  EXPECT_EQ(component->pins.size(), known.pin_count);
  for (const auto& [number, name] : known.pins) {
    const bool found =
        std::any_of(component->pins.begin(), component->pins.end(),
                    [&](const auto& pin) { return pin.number == number && pin.name == name; });
    EXPECT_TRUE(found) << number << " " << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Parts, SchLibCorpusPart,
    ::testing::Values(
        KnownComponent{"ATMEGA328P-AU/ATMEGA328P-AU.SchLib",
                       "ATMEGA328-AU",
                       32,
                       {{"20", "AREF"}, {"12", "PB0"}, {"1", "PD3"}}},
        KnownComponent{"CH340G/CH340G.SchLib",
                       "CH340G",
                       16,
                       {{"1", "GND"}, {"2", "TXD"}, {"4", "V3"}, {"5", "UD+"}}},
        KnownComponent{"STM32F103C8T6/STM32F103C8T6.SchLib",
                       "STM32F103C8T6",
                       48,
                       {{"7", "NRST"}, {"44", "BOOT0"}, {"1", "VBAT"}, {"10", "PA0-WKUP"}}},
        KnownComponent{"TP4056/TP4056.SchLib",
                       "TP4056",
                       8,
                       {{"7", "C\\H\\A\\R\\"}, {"6", "S\\T\\D\\B\\Y\\"}, {"4", "VCC"}}},
        KnownComponent{"ESP32-S3-WROOM-1/ESP32-S3-WROOM-1.SchLib",
                       "ESP3-S3-WROOM-1",
                       49,
                       {{"3", "EN"}, {"27", "IO0"}, {"1", "GND"}}},
        // Every pin record carries a description ("Dedicated ground pin." and the like).
        KnownComponent{"XC3S200AN-4FT256I/XC3S200AN-4FT256I.SchLib",
                       "XC3S200AN-4FT256I",
                       256,
                       {{"A1", "GND"}, {"A16", "GND"}}},
        // Integrated libraries: the first component of the first embedded SchLib.
        KnownComponent{
            "150060BS75000/150060BS75000.IntLib", "150060AS75000", 2, {{"2", "A"}, {"1", "K"}}},
        KnownComponent{"744774022/744774022.IntLib", "7447730", 2, {{"1", "1"}, {"2", "2"}}}),
    [](const auto& info) {
      std::string name = std::filesystem::path(info.param.file).stem().string();
      std::replace_if(
          name.begin(), name.end(),
          [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
      return name;
    });

TEST(SchLibCorpus, HeaderAndBodyOfAMultiPartSymbol) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto document = altium::read_schlib(corpus / "STM32F103C8T6/STM32F103C8T6.SchLib");
  ASSERT_TRUE(document.ok());
  EXPECT_EQ((*document)["part_count"], 3);
  EXPECT_EQ((*document)["description"], "No Description Available");
  EXPECT_FALSE((*document)["body"].is_null());
}

}  // namespace
