#include "parsers/quarn_reader.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>

#include "support/test_support.hpp"

namespace tessan {
namespace {

using nlohmann::json;
using testing::TempDir;

json pin(const json& number, const json& name) {
  return {{"number", number}, {"name", name}};
}

json symbol_with(json pins) {
  return {{"pins", std::move(pins)}};
}

json footprint_with_pads(std::initializer_list<const char*> labels) {
  json descriptions = json::object();
  for (const char* label : labels) descriptions[label] = {{"shape", "rect"}, {"w", 0.3}};
  return {{"padDescriptions", descriptions}};
}

class QuarnReaderTest : public ::testing::Test {
 protected:
  std::filesystem::path write(const char* name, const std::string& text) {
    return dir_.write(name, text);
  }
  std::filesystem::path symbol(const json& document) { return write("s.json", document.dump()); }
  std::filesystem::path footprint(const json& document) { return write("f.json", document.dump()); }
  SourceData read(const json& symbol_document, const std::optional<json>& footprint_document) {
    std::optional<std::filesystem::path> footprint_path;
    if (footprint_document) footprint_path = footprint(*footprint_document);
    auto result = read_quarn(symbol(symbol_document), footprint_path);
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().chain());
    return result.ok() ? *result : SourceData{};
  }

  TempDir dir_;
};

TEST_F(QuarnReaderTest, PinsTakeOnlyStringMembersAndMarkStubs) {
  const auto record = read(symbol_with({pin("1", "VDD"),
                                        pin(1, "VDD"),
                                        pin("3", nullptr),
                                        pin("3", "3"),
                                        pin("a1", "A1"),
                                        json::array({1, 2}),
                                        {{"number", "7"}}}),
                           std::nullopt);
  const std::vector<Pin> expected = {
      {"1", "VDD", false}, {"", "VDD", false}, {"3", "", true}, {"3", "3", true},
      {"a1", "A1", false}, {"", "", true},     {"7", "", true},
  };
  EXPECT_EQ(record.name, "quarn");
  EXPECT_EQ(record.pins, expected);
  EXPECT_TRUE(record.pads.empty());
  EXPECT_FALSE(record.package);
}

TEST_F(QuarnReaderTest, SymbolDocumentsWithoutAPinArrayYieldNoPins) {
  for (const json& document : {json::array({pin("1", "A")}), json("pins"), json{{"pins", 3}},
                               json{{"pins", {{"1", "A"}}}}, json::object()}) {
    EXPECT_TRUE(read(document, std::nullopt).pins.empty()) << document.dump();
  }
}

TEST_F(QuarnReaderTest, PadLabelsAreMemberNamesInByteOrder) {
  const auto record = read(symbol_with(json::array()), footprint_with_pads({"2", "10", "1", "EP"}));
  EXPECT_EQ(record.pads, (std::vector<std::string>{"1", "10", "2", "EP"}));
  EXPECT_FALSE(record.package) << "no package name and no body dimensions";
}

TEST_F(QuarnReaderTest, RepeatedPadNameCountsOnceAndByteOrderIsUnsigned) {
  const auto symbol_path = symbol(json::object());
  const auto footprint_path =
      write("f.json", R"({"padDescriptions": {"B": 1, "\u00e9": 2, "A": 3, "B": {"x": [1, 2]}}})");
  const auto record = read_quarn(symbol_path, footprint_path);
  ASSERT_TRUE(record.ok());
  EXPECT_EQ(record->pads, (std::vector<std::string>{"A", "B", "\xc3\xa9"}));
}

TEST_F(QuarnReaderTest, PackageFromNameAndBodyDimensions) {
  struct Case {
    json footprint;
    std::optional<PackageInfo> expected;
  };
  const std::vector<Case> cases = {
      {{{"bodyDimensions", {{"x", 3}}}}, PackageInfo{3.0, std::nullopt, ""}},
      {{{"package", "SOIC-8"}, {"bodyDimensions", {{"x", 4.9}, {"y", 3.9}}}},
       PackageInfo{4.9, 3.9, "SOIC-8"}},
      {{{"package", "QFN"}, {"bodyDimensions", {{"x", "4"}, {"y", nullptr}}}},
       PackageInfo{std::nullopt, std::nullopt, "QFN"}},
      {{{"package", 7}, {"bodyDimensions", json::array({1, 2})}}, std::nullopt},
      {{{"package", ""}, {"bodyDimensions", "3x3"}}, std::nullopt},
      {json::array({1, 2}), std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read(json::object(), c.footprint).package, c.expected) << c.footprint.dump();
  }
}

TEST_F(QuarnReaderTest, FailuresCarryTheirMessageAndCause) {
  const auto good = symbol(json::object());
  const auto bad = write("bad.json", "{\"pins\": [");
  const auto missing = dir_.path() / "missing.json";
  struct Case {
    std::filesystem::path symbol;
    std::optional<std::filesystem::path> footprint;
    std::string message;
  };
  const std::vector<Case> cases = {
      {missing, good, "reading " + missing.string()},
      {bad, missing, "parsing quarn symbol JSON"},
      {good, missing, "reading " + missing.string()},
      {good, bad, "parsing quarn footprint JSON"},
      {write("binary.json", std::string("\x00\x01\x02[", 4)), std::nullopt,
       "parsing quarn symbol JSON"},
      {good, write("latin1.json", "{\"package\": \"\xe9\"}"),
       "reading " + (dir_.path() / "latin1.json").string()},
  };
  for (const auto& c : cases) {
    const auto result = read_quarn(c.symbol, c.footprint);
    ASSERT_FALSE(result.ok()) << c.message;
    EXPECT_EQ(result.error().message(), c.message);
    ASSERT_NE(result.error().cause(), nullptr) << c.message;
    EXPECT_FALSE(result.error().cause()->message().empty());
  }
}

TEST_F(QuarnReaderTest, SyntaxErrorCauseNamesLineAndColumn) {
  const auto result = read_quarn(write("bad.json", "{\n  \"pins\": [,]\n}"), std::nullopt);
  ASSERT_FALSE(result.ok());
  ASSERT_NE(result.error().cause(), nullptr);
  EXPECT_NE(result.error().cause()->message().find("line 2, column"), std::string::npos)
      << result.error().cause()->message();
}

TEST_F(QuarnReaderTest, DeeplyNestedDocumentsNeitherCrashNorOverflow) {
  constexpr std::size_t kDepth = 1'000'000;
  const std::string open(kDepth, '[');
  const auto unclosed = read_quarn(write("open.json", open), std::nullopt);
  ASSERT_FALSE(unclosed.ok());
  EXPECT_EQ(unclosed.error().message(), "parsing quarn symbol JSON");

  const auto closed = read_quarn(write("closed.json", open + std::string(kDepth, ']')),
                                 write("nested.json", "{\"padDescriptions\": {\"1\": " + open +
                                                          std::string(kDepth, ']') + "}}"));
  ASSERT_TRUE(closed.ok()) << closed.error().chain();
  EXPECT_TRUE(closed->pins.empty());
  EXPECT_EQ(closed->pads, std::vector<std::string>{"1"});
}

}  // namespace
}  // namespace tessan
