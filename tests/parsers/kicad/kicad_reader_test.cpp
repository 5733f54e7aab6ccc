#include "parsers/kicad/kicad_reader.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "kicad_text.hpp"
#include "parsers/kicad/kicad_footprint.hpp"
#include "parsers/kicad/kicad_pins.hpp"
#include "parsers/kicad/tokenize_sexpr.hpp"
#include "support/test_support.hpp"

namespace tessan {
namespace {

using testing::kicad_footprint;
using testing::kicad_pad;
using testing::kicad_pin;
using testing::kicad_symbol;
using testing::kicad_symbol_library;
using testing::TempDir;

class KicadReaderTest : public ::testing::Test {
 protected:
  std::filesystem::path write(const char* name, const std::string& text) {
    return dir_.write(name, text);
  }
  TempDir dir_;
};

TEST_F(KicadReaderTest, AssemblesTheRecordFromEitherOrBothFiles) {
  const auto symbol = write(
      "p.kicad_sym",
      kicad_symbol_library({kicad_symbol("P", {{kicad_pin("1", "IN"), kicad_pin("2", "2")}})}));
  const auto footprint =
      write("p.kicad_mod", kicad_footprint("\"SOT-23\"", {kicad_pad("1"), kicad_pad("\"2\"")}));
  const std::vector<Pin> pins = {{"1", "IN", false}, {"2", "2", true}};
  const std::vector<std::string> pads = {"1", "2"};
  const PackageInfo package{std::nullopt, std::nullopt, "SOT-23"};
  const std::vector<PadGeometry> geometry(2, PadGeometry{0, 0, 1, 1});

  const auto both = read_kicad(symbol, footprint);
  ASSERT_TRUE(both.ok()) << both.error().chain();
  EXPECT_EQ(*both, (SourceData{"kicad", package, pads, pins, geometry}));

  const auto symbol_only = read_kicad(symbol, std::nullopt);
  ASSERT_TRUE(symbol_only.ok());
  EXPECT_EQ(*symbol_only, (SourceData{"kicad", std::nullopt, {}, pins, std::nullopt}));

  const auto footprint_only = read_kicad(std::nullopt, footprint);
  ASSERT_TRUE(footprint_only.ok());
  EXPECT_EQ(*footprint_only, (SourceData{"kicad", package, pads, {}, geometry}));
}

TEST_F(KicadReaderTest, FootprintWithoutANameHasNoPackage) {
  const auto footprint = write("f.kicad_mod", "(footprint (pad 1 smd) (pad 2 smd))");
  const auto record = read_kicad(std::nullopt, footprint);
  ASSERT_TRUE(record.ok());
  EXPECT_FALSE(record->package);
  EXPECT_EQ(record->pads, (std::vector<std::string>{"1", "2"}));
}

TEST_F(KicadReaderTest, AFileThatCannotBeReadFailsTheWholeSource) {
  const auto symbol = write("s.kicad_sym", kicad_symbol_library({}));
  const auto missing = dir_.path() / "missing.kicad_mod";
  const auto latin1 = write("latin1.kicad_sym", "(pin (name \"\xb5\") (number \"1\"))");
  struct Case {
    std::optional<std::filesystem::path> symbol;
    std::optional<std::filesystem::path> footprint;
    std::filesystem::path failing;
  };
  for (const auto& c : std::vector<Case>{{symbol, missing, missing},
                                         {missing, symbol, missing},
                                         {latin1, std::nullopt, latin1}}) {
    const auto record = read_kicad(c.symbol, c.footprint);
    ASSERT_FALSE(record.ok());
    EXPECT_EQ(record.error().message(), "reading " + c.failing.string());
    EXPECT_NE(record.error().cause(), nullptr);
  }
}

// The reader walks the text as it scans it; the result must be the one the token-list walks
// give, whatever the input.
void expect_same_as_token_list_walks(const TempDir& dir, const std::string& text) {
  const auto path = dir.write("same.kicad", text);
  const auto record = read_kicad(path, path);
  ASSERT_TRUE(record.ok());
  const auto tokens = tokenize_sexpr(text);
  EXPECT_EQ(record->pins, extract_kicad_pins(tokens.tokens())) << text;
  const auto footprint = extract_kicad_footprint(tokens.tokens());
  EXPECT_EQ(record->pads, footprint.pads) << text;
  EXPECT_EQ(record->package ? std::optional(record->package->package_name) : std::nullopt,
            footprint.name)
      << text;
}

TEST_F(KicadReaderTest, StreamedWalksMatchTheTokenListWalks) {
  for (const std::string text :
       {"", "(", "(pin", "(pin (number \"1\"", "(pin (name \"A\") (number \"1\")) (pad 2 x)",
        "(footprint X (pad \"1\" (pad 2)))", "((pin (number \"1\")))", "(pad", "(pad 1", "(module",
        "(module M", "\"unterminated (pin (number \"1\"))"}) {
    expect_same_as_token_list_walks(dir_, text);
  }
  // Token soup from the words the walks look for, with escapes and broken strings.
  const std::vector<std::string> pieces = {
      "(",     ")",          "pin", "name", "number", "pad", "footprint", "module",
      "\"1\"", "\"A\\\"B\"", "x",   " ",    "\"",     "\\",  "\"\"",      "(pin (number \"7\")"};
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += pieces[pick(random)] + " ";
    expect_same_as_token_list_walks(dir_, text);
  }
}

TEST_F(KicadReaderTest, HostileInputNeitherCrashesNorHangs) {
  const std::string opens(1'000'000, '(');
  for (const std::string& text :
       {opens, "(pin" + opens, "(footprint \"F\"" + opens, std::string(1'000'000, '"'),
        std::string(1'000'000, '\\'), std::string("\x01\x02\x03\x00\x7f", 5)}) {
    const auto path = write("hostile.kicad", text);
    const auto record = read_kicad(path, path);
    ASSERT_TRUE(record.ok());
    EXPECT_TRUE(record->pins.empty());
  }
}

struct CorpusSymbol {
  const char* file;
  std::size_t pins;
};

struct CorpusFootprint {
  const char* file;
  std::size_t pads;
  const char* package;
};

TEST(KicadCorpusTest, KnownPartsGiveTheirCounts) {
  TESSAN_REQUIRE_CORPUS(corpus);
  // Counted by reading the files.
  const CorpusSymbol symbols[] = {
      {"ATMEGA328P-AU/ATMEGA328P-AU.kicad_sym", 32},
      {"STM32F103C8T6/STM32F103C8T6.kicad_sym", 48},
      {"RP2040/RP2040.kicad_sym", 65},  // RP2040 (57) and W25Q32JVZP (8) in one file
      {"TP4056/TP4056.kicad_sym", 8},
      {"_large/Encoder.kicad_sym", 1535},
  };
  const CorpusFootprint footprints[] = {
      {"ATMEGA328P-AU/ATMEGA328P-AU.kicad_mod", 32, "QFP80P900X900X120-32N"},  // bare name
      {"STM32F103C8T6/STM32F103C8T6.kicad_mod", 48, "QFP50P900X900X160-48N"},  // bare name
      {"RP2040/RP2040.kicad_mod", 70, "Pico2040-QFN-56"},                      // bare module
      {"ESP32-S3-WROOM-1/ESP32-S3-WROOM-1.kicad_mod", 51, "ESP32-S3-WROOM-1"},
      {"ESP32-S3-WROOM-1U/ESP32-S3-WROOM-1U.kicad_mod", 62, "ESP32-S3-WROOM-1U"},
  };
  for (const auto& symbol : symbols) {
    const auto record = read_kicad(corpus / symbol.file, std::nullopt);
    ASSERT_TRUE(record.ok()) << record.error().chain();
    EXPECT_EQ(record->pins.size(), symbol.pins) << symbol.file;
  }
  for (const auto& footprint : footprints) {
    const auto record = read_kicad(std::nullopt, corpus / footprint.file);
    ASSERT_TRUE(record.ok()) << record.error().chain();
    EXPECT_EQ(record->pads.size(), footprint.pads) << footprint.file;
    ASSERT_TRUE(record->package) << footprint.file;
    EXPECT_EQ(record->package->package_name, footprint.package);
  }
}

TEST(KicadCorpusTest, LabelsAndNamesAsWritten) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const auto wroom =
      read_kicad(std::nullopt, corpus / "ESP32-S3-WROOM-1/ESP32-S3-WROOM-1.kicad_mod");
  ASSERT_TRUE(wroom.ok());
  EXPECT_EQ(std::count(wroom->pads.begin(), wroom->pads.end(), "41"), 11);
  const auto wroom_u =
      read_kicad(std::nullopt, corpus / "ESP32-S3-WROOM-1U/ESP32-S3-WROOM-1U.kicad_mod");
  ASSERT_TRUE(wroom_u.ok());
  EXPECT_EQ(std::count(wroom_u->pads.begin(), wroom_u->pads.end(), ""), 9);
  const auto tp4056 = read_kicad(corpus / "TP4056/TP4056.kicad_sym", std::nullopt);
  ASSERT_TRUE(tp4056.ok());
  std::vector<std::string> names;
  for (const auto& pin : tp4056->pins) names.push_back(pin.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Temp", "Prog", "GND", "Vcc", "BAT", "~{STDBY}",
                                             "~{CHRG}", "CE"}));
}

TEST(KicadCorpusTest, EveryKicadFileReadsAndMatchesTheTokenListWalks) {
  TESSAN_REQUIRE_CORPUS(corpus);
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    const auto extension = entry.path().extension();
    if (extension != ".kicad_sym" && extension != ".kicad_mod") continue;
    ++files;
    const bool is_symbol = extension == ".kicad_sym";
    const auto record =
        is_symbol ? read_kicad(entry.path(), std::nullopt) : read_kicad(std::nullopt, entry.path());
    ASSERT_TRUE(record.ok()) << record.error().chain();
    const auto tokens = tokenize_sexpr(testing::read_file(entry.path()));
    if (is_symbol) {
      EXPECT_FALSE(record->pins.empty()) << entry.path();
      EXPECT_EQ(record->pins, extract_kicad_pins(tokens.tokens())) << entry.path();
    } else {
      EXPECT_TRUE(record->package) << entry.path();
      EXPECT_EQ(record->pads, extract_kicad_footprint(tokens.tokens()).pads) << entry.path();
    }
  }
  EXPECT_GE(files, 20u);
}

}  // namespace
}  // namespace tessan
