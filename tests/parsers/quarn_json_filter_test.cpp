#include "parsers/quarn_json_filter.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tessan {
namespace {

using nlohmann::json;

TEST(QuarnJsonFilterTest, KeepsWhatTheReaderReadsAndNothingElse) {
  struct Case {
    const char* what;
    std::string text;
    json expected;
  };
  const std::vector<Case> cases = {
      {"members of interest only",
       R"({"mpn": "X", "pins": [{"number": "1", "name": "A", "type": "in"}], "package": "SO8",
           "bodyDimensions": {"x": 3, "y": 4.5, "z": 1}, "notes": {"pins": []}})",
       json::parse(R"({"pins": [{"number": "1", "name": "A"}], "package": "SO8",
                       "bodyDimensions": {"x": 3, "y": 4.5}})")},
      {"pad names with null values",
       R"({"padDescriptions": {"2": {"shape": "rect"}, "1": [1, 2], "EP": "big", "3": null}})",
       json::parse(R"({"padDescriptions": {"1": null, "2": null, "3": null, "EP": null}})")},
      {"every pin element counts, whatever it is",
       R"({"pins": [1, "x", [{"number": "9"}], {"number": {"a": 1}, "name": ["B"]}, null]})",
       json::parse(R"({"pins": [1, "x", [], {"number": {}, "name": []}, null]})")},
      {"repeated names keep the last value",
       R"({"pins": [{"number": "1"}], "pins": [{"number": "2", "number": "3"}],
           "package": "A", "package": 7, "bodyDimensions": {"x": 1}, "bodyDimensions": {"y": 2}})",
       json::parse(R"({"pins": [{"number": "3"}], "package": 7, "bodyDimensions": {"y": 2}})")},
      {"structures in the wrong place stay empty",
       R"({"pins": {"number": "1"}, "padDescriptions": ["1", "2"], "bodyDimensions": [1, 2]})",
       json::parse(R"({"pins": {}, "padDescriptions": [], "bodyDimensions": []})")},
      {"root array", R"([{"pins": [{"number": "1"}]}])", json::array()},
      {"root string", R"("pins")", json("pins")},
      {"numbers keep their type", R"({"bodyDimensions": {"x": -3, "y": 18446744073709551615}})",
       json::parse(R"({"bodyDimensions": {"x": -3, "y": 18446744073709551615}})")},
  };
  for (const auto& c : cases) {
    const auto parsed = parse_quarn_json(c.text);
    ASSERT_TRUE(parsed.ok()) << c.what << ": " << parsed.error().message();
    EXPECT_EQ(*parsed, c.expected) << c.what;
  }
}

TEST(QuarnJsonFilterTest, DroppedPartsAreStillChecked) {
  for (const std::string text :
       {R"({"notes": [1, 2,]})", R"({"padDescriptions": {"1": tru}})", R"({"pins": []} trailing)",
        R"({"x": 1e999})", "{\"bad\": \"\x01\"}", "\xef\xbb\xbf{\"pins\": [", ""}) {
    const auto parsed = parse_quarn_json(text);
    ASSERT_FALSE(parsed.ok()) << text;
    EXPECT_NE(parsed.error().message().find("[json.exception."), std::string::npos)
        << parsed.error().message();
  }
}

}  // namespace
}  // namespace tessan
