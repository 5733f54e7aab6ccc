// The quarn reader on hostile JSON documents.
#include <gtest/gtest.h>

#include <string>

#include "hostile/bounded_run.hpp"
#include "hostile/hostile_inputs.hpp"
#include "hostile/reader_outcome.hpp"
#include "parsers/quarn_reader.hpp"
#include "support/test_support.hpp"

namespace tessan::hostile {
namespace {

using testing::TempDir;

constexpr const char* kSymbolError = "error: parsing quarn symbol JSON";
constexpr const char* kFootprintError = "error: parsing quarn footprint JSON";

const std::string kSymbol =
    R"({"pins":[{"number":"1","name":"OUT"},{"number":"2","name":"IN-"},{"number":"3"}]})";
const std::string kFootprint =
    R"({"package":"SOIC-8","bodyDimensions":{"x":3.9,"y":4.9},"padDescriptions":)"
    R"({"1":{"x":-2.6},"2":{},"3":null}})";

class QuarnHostile : public ::testing::Test {
 protected:
  std::string read_pair(const std::string& symbol, const std::string& footprint) {
    return describe(read_quarn(dir_.write("s.json", symbol), dir_.write("f.json", footprint)));
  }
  std::string read_symbol(const std::string& symbol) {
    return describe(read_quarn(dir_.write("s.json", symbol), std::nullopt));
  }

  TempDir dir_;
};

TEST_F(QuarnHostile, TheValidPairReads) {
  EXPECT_EQ(read_pair(kSymbol, kFootprint), "pins=3 pads=3 package=SOIC-8");
}

TEST_F(QuarnHostile, EmptyDocumentsAreSyntaxErrors) {
  EXPECT_EQ(read_pair("", kFootprint), kSymbolError);
  EXPECT_EQ(read_pair(kSymbol, ""), kFootprintError);
}

// Random bytes are almost never UTF-8; random printable text is never a JSON object.
TEST_F(QuarnHostile, RandomBytesAreRefused) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    const std::string bytes = random_bytes(seed, 64 * seed);
    const std::string outcome = read_symbol(bytes);
    EXPECT_TRUE(outcome.starts_with("error: reading ") || outcome == kSymbolError) << seed;
    std::string printable = bytes;
    for (char& c : printable) c = static_cast<char>(0x20 + static_cast<unsigned char>(c) % 0x5F);
    printable[0] = '{';
    EXPECT_EQ(read_pair(kSymbol, printable), kFootprintError) << seed;
  }
}

// A JSON object ends with its last byte: every shorter prefix is incomplete.
TEST_F(QuarnHostile, EveryTruncationIsASyntaxError) {
  for (std::size_t cut = 0; cut < kSymbol.size(); ++cut) {
    EXPECT_EQ(read_pair(kSymbol.substr(0, cut), kFootprint), kSymbolError) << cut;
  }
  for (std::size_t cut = 0; cut < kFootprint.size(); ++cut) {
    EXPECT_EQ(read_pair(kSymbol, kFootprint.substr(0, cut)), kFootprintError) << cut;
  }
}

TEST_F(QuarnHostile, MalformedTextIsAnError) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"lone surrogate escape", R"({"pins":[{"number":"\ud800"}]})"},
      {"NUL byte in a string", std::string(R"({"pins":[{"number":")") + '\0' + "\"}]}"},
      {"control character", "{\"pins\":[{\"name\":\"a\x01\"}]}"},
      {"number beyond double", R"({"pins":[],"n":1e400})"},
      {"trailing garbage", kSymbol + "}"},
      {"two documents", kSymbol + kSymbol},
      {"comment", "/* pins */" + kSymbol},
  };
  for (const auto& [label, text] : cases) EXPECT_EQ(read_symbol(text), kSymbolError) << label;
}

TEST_F(QuarnHostile, TextThatIsNotUtf8IsRefusedWhileReading) {
  const auto path = dir_.write("s.json", "{\"pins\":[{\"name\":\"\xC0\xAF\"}]}");
  const auto outcome = read_quarn(path, std::nullopt);
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.error().message(), "reading " + path.string());
}

struct NestingCase {
  const char* label;
  std::string symbol;
  std::string footprint;
  std::string expected;
};

// The JSON library parses and frees nested values without recursion.
TEST_F(QuarnHostile, AMillionNestedValuesEndWithinBounds) {
  constexpr std::size_t kDepth = 1'000'000;
  const std::vector<NestingCase> cases = {
      {"nested arrays as a pin", "{\"pins\":[" + nested("[", "]", kDepth) + "]}", kFootprint,
       "pins=1 pads=3 package=SOIC-8"},
      {"nested objects as a pin",
       "{\"pins\":[" + repeated("{\"a\":", 5 * kDepth) + "0" + std::string(kDepth, '}') + "]}",
       kFootprint, "pins=1 pads=3 package=SOIC-8"},
      {"nested arrays as a pad description", kSymbol,
       "{\"padDescriptions\":{\"1\":" + nested("[", "]", kDepth) + "}}",
       "pins=3 pads=1 package=none"},
      {"unclosed arrays", std::string(kDepth, '['), kFootprint, kSymbolError},
      {"unclosed arrays in the footprint", kSymbol, "{\"x\":" + std::string(kDepth, '['),
       kFootprintError},
  };
  for (const auto& c : cases) {
    const auto symbol = dir_.write("s.json", c.symbol);
    const auto footprint = dir_.write("f.json", c.footprint);
    const auto run = run_bounded([&] { return describe(read_quarn(symbol, footprint)); });
    ASSERT_TRUE(run.finished) << c.label << ": " << run.ending;
    EXPECT_EQ(run.report, c.expected) << c.label;
    EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(c.symbol.size() + c.footprint.size()))
        << c.label;
  }
}

// Pad descriptions are dropped as they are parsed, so a huge footprint costs little beside its
// text.
TEST_F(QuarnHostile, AHugeFootprintDocumentReadsWithinBounds) {
  std::string footprint = R"({"package":"BGA","padDescriptions":{)";
  std::size_t pads = 0;
  while (footprint.size() < huge_input_bytes()) {
    if (pads > 0) footprint += ',';
    footprint += "\"P" + std::to_string(pads++) +
                 R"(":{"x":1.25,"y":-3.5,"w":0.4,"h":0.4,"shape":"circle","net":"GND"})";
  }
  footprint += "}}";
  const auto symbol = dir_.write("s.json", kSymbol);
  const auto path = dir_.write("f.json", footprint);
  const auto run = run_bounded([&] { return describe(read_quarn(symbol, path)); });
  ASSERT_TRUE(run.finished) << run.ending;
  EXPECT_EQ(run.report, "pins=3 pads=" + std::to_string(pads) + " package=BGA");
  EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(footprint.size()));
}

}  // namespace
}  // namespace tessan::hostile
