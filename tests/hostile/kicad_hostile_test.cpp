// The KiCad reader and tokenizer on hostile S-expression text.
#include <gtest/gtest.h>

#include <string>

#include "hostile/bounded_run.hpp"
#include "hostile/hostile_inputs.hpp"
#include "hostile/reader_outcome.hpp"
#include "parsers/kicad/kicad_pins.hpp"
#include "parsers/kicad/kicad_reader.hpp"
#include "parsers/kicad/tokenize_sexpr.hpp"
#include "support/test_support.hpp"

namespace tessan::hostile {
namespace {

using testing::TempDir;

const std::string kSymbol =
    "(kicad_symbol_lib (version 20211014)\n"
    " (symbol \"AMP\" (symbol \"AMP_1_1\"\n"
    "  (pin output line (at 0 0 0) (length 2.54) (name \"OUT\" (effects (font (size 1 1))))"
    " (number \"1\" (effects (font (size 1 1)))))\n"
    "  (pin input line (at 0 2 0) (name \"IN-\") (number \"2\"))\n"
    "  (pin input line (at 0 4 0) (name \"IN+\") (number \"3\"))\n"
    "  (pin power_in line (at 0 6 0) (name \"V-\") (number \"4\")))))\n";
const std::string kFootprint =
    "(footprint \"SOIC-8\" (layer \"F.Cu\")\n"
    " (pad \"1\" smd rect (at -2.5 -1.9) (size 1.9 0.6) (layers \"F.Cu\"))\n"
    " (pad \"2\" smd rect (at -2.5 -0.6) (size 1.9 0.6) (layers \"F.Cu\"))\n"
    " (pad \"3\" smd rect (at -2.5 0.6) (size 1.9 0.6) (layers \"F.Cu\")))\n";

class KicadHostile : public ::testing::Test {
 protected:
  Result<SourceData> read_pair(const std::string& symbol, const std::string& footprint) {
    return read_kicad(dir_.write("a.kicad_sym", symbol), dir_.write("a.kicad_mod", footprint));
  }

  TempDir dir_;
};

TEST_F(KicadHostile, TheValidPairReads) {
  EXPECT_EQ(describe(read_pair(kSymbol, kFootprint)), "pins=4 pads=3 package=SOIC-8");
}

TEST_F(KicadHostile, EmptyFilesGiveAnEmptyRecord) {
  EXPECT_EQ(describe(read_pair("", "")), "pins=0 pads=0 package=none");
}

// Bytes that are not UTF-8 are refused while reading; printable noise reads as little or
// nothing, and never fails.
TEST_F(KicadHostile, RandomBytesAreRefusedOrReadAsNoise) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    const std::string bytes = random_bytes(seed, 256 * seed);
    const auto refused = read_pair(kSymbol, bytes);
    ASSERT_FALSE(refused.ok()) << seed;
    EXPECT_TRUE(refused.error().message().starts_with("reading ")) << seed;
    EXPECT_LE(tokenize_sexpr(bytes).size(), bytes.size()) << seed;

    std::string noise = bytes;
    for (char& c : noise) c = "()\" \\pinumberadf"[static_cast<unsigned char>(c) % 16];
    EXPECT_TRUE(read_pair(noise, noise).ok()) << seed;
  }
}

// Pins come out in order as their number lists are read, so a cut keeps the pins before it
// (the last one possibly with a cut number) and the footprint the pads before it.
TEST_F(KicadHostile, EveryTruncationYieldsThePinsAndPadsBeforeIt) {
  const auto whole = read_pair(kSymbol, kFootprint);
  ASSERT_TRUE(whole.ok());
  std::size_t previous_pins = 0;
  for (std::size_t cut = 0; cut <= kSymbol.size(); ++cut) {
    const auto part = read_pair(kSymbol.substr(0, cut), "");
    ASSERT_TRUE(part.ok()) << cut;
    const auto& pins = part->pins;
    ASSERT_GE(pins.size(), previous_pins) << cut;
    ASSERT_LE(pins.size(), whole->pins.size()) << cut;
    for (std::size_t i = 0; i + 1 < pins.size(); ++i) EXPECT_EQ(pins[i], whole->pins[i]) << cut;
    previous_pins = pins.size();
  }
  std::size_t previous_pads = 0;
  for (std::size_t cut = 0; cut <= kFootprint.size(); ++cut) {
    const auto part = read_pair("", kFootprint.substr(0, cut));
    ASSERT_TRUE(part.ok()) << cut;
    ASSERT_GE(part->pads.size(), previous_pads) << cut;
    ASSERT_LE(part->pads.size(), whole->pads.size()) << cut;
    if (part->package) {
      EXPECT_TRUE(std::string("SOIC-8").starts_with(part->package->package_name)) << cut;
    }
    previous_pads = part->pads.size();
  }
}

TEST_F(KicadHostile, UnterminatedStringsAndTrailingBackslashesEndQuietly) {
  EXPECT_EQ(describe(read_pair("(pin (name \"A\") (number \"1", "(footprint \"X\\")),
            "pins=1 pads=0 package=X\\");
  EXPECT_EQ(describe(read_pair("\\", "(pad \"")), "pins=0 pads=1 package=none");
}

struct DeepCase {
  const char* label;
  std::string symbol;
  std::string footprint;
  std::string expected;
};

// The walks count depth in a counter and never recurse.
TEST_F(KicadHostile, AMillionNestedParenthesesEndWithinBounds) {
  constexpr std::size_t kDepth = 1'000'000;
  const std::string number = "(number \"1\")";
  const std::vector<DeepCase> cases = {
      {"balanced", nested("(", ")", kDepth), nested("(", ")", kDepth),
       "pins=0 pads=0 package=none"},
      {"never closed", std::string(kDepth, '('), std::string(kDepth, '('),
       "pins=0 pads=0 package=none"},
      {"only closed", std::string(kDepth, ')'), std::string(kDepth, ')'),
       "pins=0 pads=0 package=none"},
      {"number at the bottom", "(pin " + std::string(kDepth, '(') + number,
       "(footprint \"X\" " + repeated("(pad \"1\" ", 9 * kDepth), "pins=1 pads=1000000 package=X"},
      {"nested pin lists", repeated("(pin ", 5 * kDepth) + number, repeated("(pad ", 5 * kDepth),
       "pins=1 pads=0 package=none"},
  };
  for (const auto& c : cases) {
    const auto symbol = dir_.write("a.kicad_sym", c.symbol);
    const auto footprint = dir_.write("a.kicad_mod", c.footprint);
    const auto run = run_bounded([&] { return describe(read_kicad(symbol, footprint)); });
    ASSERT_TRUE(run.finished) << c.label << ": " << run.ending;
    EXPECT_EQ(run.report, c.expected) << c.label;
    EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(c.symbol.size() + c.footprint.size()))
        << c.label;
  }
}

TEST(KicadTokenListHostile, AMillionNestedParenthesesTokenizeAndWalk) {
  const std::string text = "(pin " + std::string(1'000'000, '(') + "(number \"7\")";
  const auto run = run_bounded([&] {
    const SexprTokenList tokens = tokenize_sexpr(text);
    const auto pins = extract_kicad_pins(tokens.tokens());
    return std::to_string(tokens.size()) + " " + std::to_string(pins.size());
  });
  ASSERT_TRUE(run.finished) << run.ending;
  EXPECT_EQ(run.report, "1000006 1");
}

TEST_F(KicadHostile, AHugeSymbolLibraryReadsWithinBounds) {
  const std::string pin =
      "  (pin bidirectional line (at -12.7 2.54 0) (length 2.54)\n"
      "   (name \"IO\" (effects (font (size 1.27 1.27))))\n"
      "   (number \"9\" (effects (font (size 1.27 1.27)))))\n";
  const std::string body = repeated(pin, huge_input_bytes());
  const std::size_t pins = body.size() / pin.size();
  const std::string text = "(kicad_symbol_lib (symbol \"BIG\"\n" + body + "))\n";
  const auto symbol = dir_.write("a.kicad_sym", text);
  const auto footprint = dir_.write("a.kicad_mod", kFootprint);
  const auto run = run_bounded([&] { return describe(read_kicad(symbol, footprint)); });
  ASSERT_TRUE(run.finished) << run.ending;
  EXPECT_EQ(run.report, "pins=" + std::to_string(pins) + " pads=3 package=SOIC-8");
  EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(text.size()));
}

TEST_F(KicadHostile, AHugeUnterminatedStringIsOneToken) {
  const std::string text = "(footprint \"" + std::string(huge_input_bytes(), 'x');
  const auto footprint = dir_.write("a.kicad_mod", text);
  const auto run = run_bounded([&] {
    const auto record = read_kicad(std::nullopt, footprint);
    if (!record) return describe(record);
    return std::to_string(record->package ? record->package->package_name.size() : 0);
  });
  ASSERT_TRUE(run.finished) << run.ending;
  EXPECT_EQ(run.report, std::to_string(huge_input_bytes()));
  EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(text.size()));
}

}  // namespace
}  // namespace tessan::hostile
