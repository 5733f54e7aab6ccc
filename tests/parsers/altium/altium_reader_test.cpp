// read_altium on library files: the chosen footprint, the package, the pins and every failure.
#include <gtest/gtest.h>

#include "parsers/altium/altium_reader.hpp"
#include "support/altium_builders.hpp"
#include "support/test_support.hpp"

namespace {

using namespace tessan::testing;
using Pins = std::vector<tessan::Pin>;

Bytes footprint(std::string_view name, int pads) {
  std::vector<PcbPad> pad_list(static_cast<std::size_t>(pads));
  for (int i = 0; i < pads; ++i)
    pad_list[static_cast<std::size_t>(i)].designator = std::to_string(i + 1);
  return pcb_data_stream(name, pad_list);
}

SchPin pin(std::string name, std::string designator) {
  SchPin fields;
  fields.name = std::move(name);
  fields.designator = std::move(designator);
  return fields;
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

TEST_F(AltiumReader, PrimaryWithoutConsensusNearestWithIt) {
  auto source = tessan::read_altium(three_variants(), std::nullopt, std::nullopt);
  ASSERT_TRUE(source.ok()) << source.error().chain();
  EXPECT_EQ(source->name, "altium");
  EXPECT_EQ(source->package, (tessan::PackageInfo{std::nullopt, std::nullopt, "SOIC10"}));
  EXPECT_EQ(source->pads.size(), 10u);
  EXPECT_TRUE(source->pins.empty());

  source = tessan::read_altium(three_variants(), 9, std::nullopt);
  ASSERT_TRUE(source.ok());
  EXPECT_EQ(source->package->package_name, "SOIC8_EP");
  EXPECT_EQ(source->pads, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST_F(AltiumReader, EmptyNameBlockGivesAnEmptyPackageName) {
  const auto path = write("x.PcbLib", pcblib_file({{"NONAME", footprint("", 0)}}));
  const auto source = tessan::read_altium(path, std::nullopt, std::nullopt);
  ASSERT_TRUE(source.ok());
  EXPECT_EQ(source->package, (tessan::PackageInfo{std::nullopt, std::nullopt, ""}));
}

TEST_F(AltiumReader, ErrorEntriesAreNotVariants) {
  // 1 pad is nearer to the error entry's 0 than to SOT23's 3: only its removal lets SOT23 win.
  const auto path =
      write("x.PcbLib", pcblib_file({{"AA", Bytes{1, 2}}, {"BB", footprint("SOT23", 3)}}));
  const auto source = tessan::read_altium(path, 1, std::nullopt);
  ASSERT_TRUE(source.ok());
  EXPECT_EQ(source->package->package_name, "SOT23");

  const auto none = write("y.PcbLib", pcblib_file({{"AA", Bytes{1, 2}}, {"BB", Bytes{}}}));
  const auto failed = tessan::read_altium(none, std::nullopt, std::nullopt);
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error().message(), "no parseable footprint variants in PcbLib");
}

TEST_F(AltiumReader, FootprintLibraryFailureNamesThePathWithTheReaderErrorAsCause) {
  const auto not_ole = write("bad.PcbLib", Bytes(40, 'x'));
  const auto missing = dir_.path() / "missing.PcbLib";
  const std::pair<std::filesystem::path, std::string> cases[] = {
      {not_ole, "not an OLE2 compound document (bad magic)"},
      {missing, "read .PcbLib: " + missing.string()}};
  for (const auto& [path, cause] : cases) {
    const auto source = tessan::read_altium(path, 8, path);
    ASSERT_FALSE(source.ok());
    EXPECT_EQ(source.error().message(), "altium-pcblib parsing " + path.string());
    ASSERT_NE(source.error().cause(), nullptr);
    EXPECT_EQ(source.error().cause()->message(), cause);
  }
}

TEST_F(AltiumReader, PinsComeFromTheSymbolLibraryWhoseFailuresNeverFailTheSource) {
  const auto schlib = write(
      "part.SchLib", schlib_file({{"PART", sch_component_stream({pin("R\\E\\S\\E\\T\\", "4"),
                                                                 pin("4", "4"), pin("", "6")})}}));
  auto source = tessan::read_altium(three_variants(), std::nullopt, schlib);
  ASSERT_TRUE(source.ok());
  EXPECT_EQ(source->pins, (Pins{{"4", "~{RESET}", false}, {"4", "4", true}, {"6", "", true}}));

  const auto no_pins = write("nopins.SchLib", schlib_file({{"PART", sch_component_stream({})}}));
  const auto garbage = write("garbage.SchLib", Bytes(100, 0x42));
  for (const auto& path : {no_pins, garbage, dir_.path() / "missing.SchLib", dir_.path()}) {
    source = tessan::read_altium(three_variants(), std::nullopt, path);
    ASSERT_TRUE(source.ok()) << path;
    EXPECT_TRUE(source->pins.empty());
    EXPECT_EQ(source->pads.size(), 10u);
  }
}

TEST_F(AltiumReader, IntegratedLibraryServesBothSidesAndExtensionsDoNotMatter) {
  const Bytes pcblib =
      pcblib_file({{"R0603", footprint("R0603", 2)}, {"SOT23", footprint("SOT23", 3)}});
  const Bytes schlib = schlib_file({{"LED", sch_component_stream({pin("A", "2"), pin("K", "1")})}});
  const auto intlib =
      write("part.IntLib", intlib_file({intlib_stream(pcblib)}, {intlib_stream(schlib)}));
  auto source = tessan::read_altium(intlib, 2, intlib);
  ASSERT_TRUE(source.ok()) << source.error().chain();
  EXPECT_EQ(source->package->package_name, "R0603");
  EXPECT_EQ(source->pins, (Pins{{"2", "A", false}, {"1", "K", false}}));

  const auto plain = write("plain.IntLib", pcblib);
  source = tessan::read_altium(plain, std::nullopt, std::nullopt);
  ASSERT_TRUE(source.ok());
  EXPECT_EQ(source->pads.size(), 3u);
}

// Real libraries; pad labels and pin names were checked against the parts' KiCad and EAGLE files.
struct CorpusPart {
  const char* directory;
  const char* footprints;
  const char* symbols;
  std::optional<std::uint32_t> consensus;
  const char* package;
  std::size_t pad_count;
  std::vector<std::pair<std::size_t, std::string>> pads;  // (index, label)
  std::size_t pin_count;
  std::vector<std::pair<std::string, std::string>> pins;  // (number, name) present
};

class AltiumReaderCorpus : public ::testing::TestWithParam<CorpusPart> {};

TEST_P(AltiumReaderCorpus, ReadsThePart) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const CorpusPart& part = GetParam();
  const auto folder = corpus / part.directory;
  const auto source =
      tessan::read_altium(folder / part.footprints, part.consensus, folder / part.symbols);
  ASSERT_TRUE(source.ok()) << source.error().chain();
  EXPECT_EQ(source->package->package_name, part.package);
  ASSERT_EQ(source->pads.size(), part.pad_count);
  for (const auto& [index, label] : part.pads) EXPECT_EQ(source->pads[index], label) << index;
  EXPECT_EQ(source->pins.size(), part.pin_count);
  for (const auto& [number, name] : part.pins) {
    EXPECT_TRUE(
        std::any_of(source->pins.begin(), source->pins.end(),
                    [&](const tessan::Pin& p) { return p.number == number && p.name == name; }))
        << number << " " << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Parts, AltiumReaderCorpus,
    ::testing::Values(
        CorpusPart{"ATMEGA328P-AU",
                   "ATMEGA328P-AU.PcbLib",
                   "ATMEGA328P-AU.SchLib",
                   32,
                   "TQFP-32",
                   32,
                   {{0, "1"}, {31, "32"}},
                   32,
                   {{"20", "AREF"}, {"12", "PB0"}}},
        // Pads stored 9..16, then 8..1.
        CorpusPart{"CH340G",
                   "CH340G.PcbLib",
                   "CH340G.SchLib",
                   16,
                   "CH340G",
                   16,
                   {{0, "9"}, {7, "16"}, {15, "1"}},
                   16,
                   {{"1", "GND"}, {"5", "UD+"}}},
        CorpusPart{"STM32F103C8T6",
                   "STM32F103C8T6.PcbLib",
                   "STM32F103C8T6.SchLib",
                   48,
                   "STM32F103C8T6",
                   48,
                   {{0, "1"}, {47, "48"}},
                   48,
                   {{"7", "NRST"}, {"44", "BOOT0"}, {"10", "PA0-WKUP"}}},
        // No exposed pad, unlike the EAGLE package; overbar marks removed from "C\H\A\R\".
        CorpusPart{"TP4056",
                   "TP4056.PcbLib",
                   "TP4056.SchLib",
                   9,
                   "TP4056",
                   8,
                   {{0, "1"}, {4, "8"}},
                   8,
                   {{"7", "~{CHAR}"}, {"6", "~{STDBY}"}, {"4", "VCC"}}},
        CorpusPart{"ESP32-S3-WROOM-1",
                   "ESP32-S3-WROOM-1.PcbLib",
                   "ESP32-S3-WROOM-1.SchLib",
                   51,
                   "ESP32-S3-WROOM-1",
                   61,
                   {{0, "41_21"}, {12, "26"}, {60, "41_1"}},
                   49,
                   {{"3", "EN"}, {"27", "IO0"}}},
        CorpusPart{"W25Q32JVSSIQ",
                   "W25Q32JVSSIQ.PcbLib",
                   "W25Q32JVSSIQ.SchLib",
                   std::nullopt,
                   "W25Q32JVSSIQ",
                   8,
                   {},
                   8,
                   {{"1", "~{CS}"}, {"3", "~{WP} (IO2)"}}},
        // Pin records with descriptions before their names.
        CorpusPart{"XC3S200AN-4FT256I",
                   "XC3S200AN-4FT256I.PcbLib",
                   "XC3S200AN-4FT256I.SchLib",
                   std::nullopt,
                   "XC3S200AN-4FT256I",
                   256,
                   {},
                   256,
                   {{"A1", "GND"}, {"T16", "GND"}}},
        // A footprint without primitives and a symbol without pins: the source still stands.
        CorpusPart{"PC817", "PC817.PcbLib", "PC817.SchLib", 4, "PC817", 0, {}, 0, {}},
        // Parts with only an integrated library, used for both sides.
        CorpusPart{"150060BS75000",
                   "150060BS75000.IntLib",
                   "150060BS75000.IntLib",
                   2,
                   "WL-SMCW_0805",
                   2,
                   {{0, "2"}, {1, "1"}},
                   2,
                   {{"2", "A"}, {"1", "K"}}},
        CorpusPart{"744774022",
                   "744774022.IntLib",
                   "744774022.IntLib",
                   std::nullopt,
                   "WE-PD2_1054",
                   2,
                   {{0, "2"}},
                   2,
                   {{"1", "1"}}}),
    [](const auto& info) {
      std::string name = info.param.directory;
      std::replace(name.begin(), name.end(), '-', '_');
      return name;
    });

}  // namespace
