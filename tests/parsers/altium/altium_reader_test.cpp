// read_altium on library files: the chosen footprint, the package, the pins and every failure.
#include <gtest/gtest.h>

#include "parsers/altium/altium_reader.hpp"
#include "support/altium_builders.hpp"
#include "support/test_support.hpp"

namespace {

using namespace tessan::testing;

Bytes footprint(std::string_view name, int pads) {
  std::vector<PcbPad> specs;
  for (int i = 1; i <= pads; ++i) {
    PcbPad pad;
    pad.designator = std::to_string(i);
    specs.push_back(pad);
  }
  return pcb_data_stream(name, specs);
}

SchPin pin(std::string name, std::string designator) {
  SchPin spec;
  spec.name = std::move(name);
  spec.designator = std::move(designator);
  return spec;
}

class AltiumReader : public ::testing::Test {
 protected:
  std::filesystem::path write(const std::string& name, const Bytes& bytes) const {
    return dir_.write(name,
                      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }

  std::filesystem::path three_variants() const {
    return write("part.PcbLib", pcblib_file({{"FP8", footprint("SOIC8", 8)},
                                             {"FP9", footprint("SOIC8_EP", 9)},
                                             {"FPA", footprint("SOIC10", 10)}}));
  }

  TempDir dir_;
};

TEST_F(AltiumReader, WithoutConsensusThePrimaryFootprintIsChosen) {
  const auto source = tessan::read_altium(three_variants(), std::nullopt, std::nullopt);
  ASSERT_TRUE(source.ok()) << source.error().chain();
  EXPECT_EQ(source->name, "altium");
  EXPECT_EQ(source->pads.size(), 10u);
  ASSERT_TRUE(source->package.has_value());
  EXPECT_EQ(source->package->package_name, "SOIC10");
  EXPECT_FALSE(source->package->body_x_mm.has_value());
  EXPECT_FALSE(source->package->body_y_mm.has_value());
  EXPECT_TRUE(source->pins.empty());
}

TEST_F(AltiumReader, ConsensusPadCountChoosesTheNearestVariant) {
  const auto source = tessan::read_altium(three_variants(), 9, std::nullopt);
  ASSERT_TRUE(source.ok());
  EXPECT_EQ(source->package->package_name, "SOIC8_EP");
  EXPECT_EQ(source->pads, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST_F(AltiumReader, EmptyNameBlockGivesAnEmptyPackageName) {
  const auto path =
      write("x.PcbLib", pcblib_file({{"NONAME", pcb_data_stream("", std::vector<PcbPad>{})}}));
  const auto source = tessan::read_altium(path, std::nullopt, std::nullopt);
  ASSERT_TRUE(source.ok());
  ASSERT_TRUE(source->package.has_value());
  EXPECT_EQ(source->package->package_name, "");
  EXPECT_TRUE(source->pads.empty());
}

TEST_F(AltiumReader, ErrorEntriesAreNotVariants) {
  const auto path =
      write("x.PcbLib", pcblib_file({{"AA", Bytes{1, 2}}, {"BB", footprint("SOT23", 3)}}));
  // A consensus of 1 pad is nearer to the error entry's 0 pads than to SOT23's 3: only its
  // removal lets SOT23 be chosen.
  const auto source = tessan::read_altium(path, 1, std::nullopt);
  ASSERT_TRUE(source.ok());
  EXPECT_EQ(source->package->package_name, "SOT23");
}

TEST_F(AltiumReader, EveryStreamTooShortFails) {
  const auto path = write("x.PcbLib", pcblib_file({{"AA", Bytes{1, 2}}, {"BB", Bytes{}}}));
  const auto source = tessan::read_altium(path, std::nullopt, std::nullopt);
  ASSERT_FALSE(source.ok());
  EXPECT_EQ(source.error().message(), "no parseable footprint variants in PcbLib");
}

TEST_F(AltiumReader, FootprintLibraryFailureNamesThePathWithTheReaderErrorAsCause) {
  const auto not_ole =
      write("bad.PcbLib", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
  const auto source = tessan::read_altium(not_ole, std::nullopt, std::nullopt);
  ASSERT_FALSE(source.ok());
  EXPECT_EQ(source.error().message(), "altium-pcblib parsing " + not_ole.string());
  ASSERT_NE(source.error().cause(), nullptr);
  EXPECT_EQ(source.error().cause()->message(), "not an OLE2 compound document (bad magic)");

  const auto missing = dir_.path() / "missing.PcbLib";
  const auto unreadable = tessan::read_altium(missing, 8, missing);
  ASSERT_FALSE(unreadable.ok());
  EXPECT_EQ(unreadable.error().message(), "altium-pcblib parsing " + missing.string());
  EXPECT_EQ(unreadable.error().cause()->message(), "read .PcbLib: " + missing.string());
}

TEST_F(AltiumReader, PinsComeFromTheSymbolLibrary) {
  const auto schlib = write(
      "part.SchLib",
      schlib_file({{"PART", sch_component_stream({pin("R\\E\\S\\E\\T\\", "4"), pin("4", "5"),
                                                  pin("5", "5"), pin("", "6"), pin("X", "")})}}));
  const auto source = tessan::read_altium(three_variants(), std::nullopt, schlib);
  ASSERT_TRUE(source.ok());
  EXPECT_EQ(source->pins,
            (std::vector<tessan::Pin>{
                {"4", "RESET", false}, {"5", "4", false}, {"5", "5", true}, {"6", "", true}}));
}

TEST_F(AltiumReader, SymbolLibraryFailuresNeverFailTheSource) {
  const auto no_pins = write("nopins.SchLib", schlib_file({{"PART", sch_component_stream({})}}));
  const auto garbage = write("garbage.SchLib", Bytes(100, 0x42));
  for (const auto& path : {no_pins, garbage, dir_.path() / "missing.SchLib", dir_.path()}) {
    const auto source = tessan::read_altium(three_variants(), std::nullopt, path);
    ASSERT_TRUE(source.ok()) << path;
    EXPECT_TRUE(source->pins.empty());
    EXPECT_EQ(source->pads.size(), 10u);
  }
}

TEST_F(AltiumReader, IntegratedLibraryServesBothSides) {
  const Bytes pcblib =
      pcblib_file({{"R0603", footprint("R0603", 2)}, {"SOT23", footprint("SOT23", 3)}});
  const Bytes schlib = schlib_file({{"LED", sch_component_stream({pin("A", "2"), pin("K", "1")})}});
  const auto path =
      write("part.IntLib", intlib_file({intlib_stream(pcblib)}, {intlib_stream(schlib)}));
  const auto source = tessan::read_altium(path, 2, path);
  ASSERT_TRUE(source.ok()) << source.error().chain();
  EXPECT_EQ(source->package->package_name, "R0603");
  EXPECT_EQ(source->pins, (std::vector<tessan::Pin>{{"2", "A", false}, {"1", "K", false}}));
}

TEST_F(AltiumReader, PlainLibrariesWithIntLibExtensionAreReadAsBefore) {
  const auto path = write("part.IntLib", pcblib_file({{"SOT23", footprint("SOT23", 3)}}));
  const auto source = tessan::read_altium(path, std::nullopt, std::nullopt);
  ASSERT_TRUE(source.ok());
  EXPECT_EQ(source->pads.size(), 3u);
}

// Real libraries: pad labels and pin names checked against the parts' KiCad and EAGLE files.
struct CorpusPart {
  const char* directory;
  const char* footprint_file;
  const char* symbol_file;  // empty: none
  std::optional<std::uint32_t> consensus;
  const char* package;
  std::size_t pads;
  std::size_t pins;
  std::vector<std::pair<std::string, std::string>> some_pins;  // (number, name)
};

class AltiumReaderCorpus : public ::testing::TestWithParam<CorpusPart> {};

TEST_P(AltiumReaderCorpus, ReadsThePart) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const CorpusPart& part = GetParam();
  const auto folder = corpus / part.directory;
  std::optional<std::filesystem::path> symbols;
  if (*part.symbol_file != '\0') symbols = folder / part.symbol_file;
  const auto source = tessan::read_altium(folder / part.footprint_file, part.consensus, symbols);
  ASSERT_TRUE(source.ok()) << source.error().chain();
  ASSERT_TRUE(source->package.has_value());
  EXPECT_EQ(source->package->package_name, part.package);
  EXPECT_EQ(source->pads.size(), part.pads);
  EXPECT_EQ(source->pins.size(), part.pins);
  for (const auto& [number, name] : part.some_pins) {
    EXPECT_TRUE(
        std::any_of(source->pins.begin(), source->pins.end(),
                    [&](const tessan::Pin& p) { return p.number == number && p.name == name; }))
        << number << " " << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Parts, AltiumReaderCorpus,
    ::testing::Values(CorpusPart{"ATMEGA328P-AU",
                                 "ATMEGA328P-AU.PcbLib",
                                 "ATMEGA328P-AU.SchLib",
                                 32,
                                 "TQFP-32",
                                 32,
                                 32,
                                 {{"20", "AREF"}, {"12", "PB0"}}},
                      CorpusPart{"CH340G",
                                 "CH340G.PcbLib",
                                 "CH340G.SchLib",
                                 16,
                                 "CH340G",
                                 16,
                                 16,
                                 {{"1", "GND"}, {"5", "UD+"}, {"16", "VCC"}}},
                      CorpusPart{"STM32F103C8T6",
                                 "STM32F103C8T6.PcbLib",
                                 "STM32F103C8T6.SchLib",
                                 48,
                                 "STM32F103C8T6",
                                 48,
                                 48,
                                 {{"7", "NRST"}, {"44", "BOOT0"}}},
                      // Overbar marks removed: "C\H\A\R\" becomes "CHAR".
                      CorpusPart{"TP4056",
                                 "TP4056.PcbLib",
                                 "TP4056.SchLib",
                                 9,
                                 "TP4056",
                                 8,
                                 8,
                                 {{"7", "CHAR"}, {"6", "STDBY"}, {"8", "OE"}}},
                      CorpusPart{"ESP32-S3-WROOM-1",
                                 "ESP32-S3-WROOM-1.PcbLib",
                                 "ESP32-S3-WROOM-1.SchLib",
                                 51,
                                 "ESP32-S3-WROOM-1",
                                 61,
                                 49,
                                 {{"3", "EN"}}},
                      CorpusPart{"W25Q32JVSSIQ",
                                 "W25Q32JVSSIQ.PcbLib",
                                 "W25Q32JVSSIQ.SchLib",
                                 std::nullopt,
                                 "W25Q32JVSSIQ",
                                 8,
                                 8,
                                 {{"1", "CS"}, {"3", "WP (IO2)"}}},
                      // Pin records with descriptions.
                      CorpusPart{"XC3S200AN-4FT256I",
                                 "XC3S200AN-4FT256I.PcbLib",
                                 "XC3S200AN-4FT256I.SchLib",
                                 std::nullopt,
                                 "XC3S200AN-4FT256I",
                                 256,
                                 256,
                                 {{"A1", "GND"}}},
                      // The symbol library has no pins: the source stands without them.
                      CorpusPart{"PC817", "PC817.PcbLib", "PC817.SchLib", 4, "PC817", 0, 0, {}},
                      // Parts that only have an integrated library, used for both sides.
                      CorpusPart{"150060BS75000",
                                 "150060BS75000.IntLib",
                                 "150060BS75000.IntLib",
                                 2,
                                 "WL-SMCW_0805",
                                 2,
                                 2,
                                 {{"2", "A"}, {"1", "K"}}},
                      CorpusPart{"744774022",
                                 "744774022.IntLib",
                                 "744774022.IntLib",
                                 std::nullopt,
                                 "WE-PD2_1054",
                                 2,
                                 2,
                                 {{"1", "1"}}}),
    [](const auto& info) {
      std::string name = info.param.directory;
      std::replace(name.begin(), name.end(), '-', '_');
      return name;
    });

TEST(AltiumReaderCorpusChoice, EqualPadCountsKeepTheStorageOrder) {
  TESSAN_REQUIRE_CORPUS(corpus);
  // Both footprints have 16 pads: the first in storage order is kept.
  const auto source =
      tessan::read_altium(corpus / "WEMOSD1MINI/WEMOSD1MINI.PcbLib", 16, std::nullopt);
  ASSERT_TRUE(source.ok());
  EXPECT_EQ(source->package->package_name, "WEMOSD1MINI");
}

}  // namespace
