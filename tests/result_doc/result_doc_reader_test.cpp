#include <gtest/gtest.h>

#include "json_tree_parse.hpp"
#include "result_doc_json.hpp"
#include "sample_docs.hpp"

namespace tessan {
namespace {

// A small valid document; the cases below edit its text.
constexpr std::string_view kBase =
    R"({"schema_version":"1","status":"divergent","exit_code":2,"mpn":"M","summary":"s",)"
    R"("sources_compared":["quarn","kicad"],"sources_missing":[],)"
    R"("axes":[{"axis":"pad_count","verdict":"disagree","values":{"kicad":"8","quarn":"9"},)"
    R"("conflicts":["c"],"severity":3}],)"
    R"("variants":[{"kind":"module_extra_pads","sources_with_extras":["kicad"],)"
    R"("sources_without_extras":["quarn"],"extra_count":1}],)"
    R"("hints":[{"action":"ul_symbol_has_stub_names","source":"kicad","pin_count":8,)"
    R"("suggestion":"s","harvo_action":"h"}],"extractor_version":"0.8.0"})";

std::string edited(std::string_view from, std::string_view to) {
  std::string text(kBase);
  const auto at = text.find(from);
  if (at == std::string::npos)
    ADD_FAILURE() << "fixture text not found: " << from;
  else
    text.replace(at, from.size(), to);
  return text;
}

ResultDoc base_document() {
  ResultDoc doc;
  doc.status = Status::Divergent;
  doc.exit_code = 2;
  doc.mpn = "M";
  doc.summary = "s";
  doc.sources_compared = {"quarn", "kicad"};
  doc.axes = {
      AxisOutcome{"pad_count", Verdict::Disagree, {{"kicad", "8"}, {"quarn", "9"}}, {"c"}, 3}};
  doc.variants = {ModuleExtraPads{{"kicad"}, {"quarn"}, 1}};
  doc.hints = {UlSymbolHasStubNames{"kicad", 8, "s", "h"}};
  return doc;
}

TEST(ResultDocReader, ReadsTheBaseDocument) {
  const auto doc = parse_result_doc(kBase);
  ASSERT_TRUE(doc) << doc.error().message();
  EXPECT_EQ(*doc, base_document());
}

TEST(ResultDocReader, ReadingWhatWasWrittenGivesAnEqualDocument) {
  for (const ResultDoc& original :
       {testing::full_document(), testing::unrecoverable_document(), base_document()}) {
    const auto text = serialize_result_doc(original);
    ASSERT_TRUE(text);
    const auto read_back = parse_result_doc(*text);
    ASSERT_TRUE(read_back) << read_back.error().message();
    EXPECT_EQ(*read_back, original);
  }
}

struct Rejected {
  std::string_view name;
  std::string text;
  std::string_view message;  // expected within the error message
};

TEST(ResultDocReader, RejectsMalformedDocumentsWithAReadableMessage) {
  const Rejected rows[] = {
      // Missing members.
      {"document key", edited(R"("mpn":"M",)", ""), "missing field `mpn` in the document root"},
      {"axis key", edited(R"("severity":3)", R"("x":3)"), "missing field `severity` in /axes/0"},
      {"hint field", edited(R"("pin_count":8,)", ""), "missing field `pin_count` in /hints/0"},
      {"variant field", edited(R"("extra_count":1)", R"("extra":1)"),
       "missing field `extra_count` in /variants/0"},
      {"hint tag", edited(R"("action":"ul_symbol_has_stub_names",)", ""),
       "missing field `action` in /hints/0"},
      // Repeated members.
      {"repeated document key", edited(R"("mpn":"M",)", R"("mpn":"M","mpn":"N",)"),
       "duplicate field `mpn` in the document root"},
      {"repeated axis key", edited(R"("severity":3)", R"("severity":3,"severity":3)"),
       "duplicate field `severity` in /axes/0"},
      {"repeated tag",
       edited(R"("kind":"module_extra_pads",)", R"("kind":"module_extra_pads",)"
                                                R"("kind":"module_extra_pads",)"),
       "duplicate field `kind` in /variants/0"},
      {"repeated hint field", edited(R"("source":"kicad",)", R"("source":"kicad","source":"x",)"),
       "duplicate field `source` in /hints/0"},
      // Unknown tags and enumeration texts.
      {"hint action", edited("ul_symbol_has_stub_names", "ul_symbol"),
       "unknown hint action `ul_symbol` at /hints/0/action"},
      {"variant kind", edited("module_extra_pads", "module_pads"),
       "unknown variant kind `module_pads` at /variants/0/kind"},
      {"status text", edited(R"("divergent")", R"("Divergent")"),
       "unknown status `Divergent` at /status; expected one of golden, golden_with_variants, "
       "divergent, unrecoverable"},
      {"verdict text", edited(R"("disagree")", R"("disagreed")"), "unknown verdict `disagreed`"},
      // Wrong types and ranges.
      {"float exit code", edited(R"("exit_code":2)", R"("exit_code":2.0)"),
       "invalid type at /exit_code: expected a signed 32-bit integer"},
      {"exit code too large", edited(R"("exit_code":2)", R"("exit_code":2147483648)"),
       "invalid type at /exit_code: expected a signed 32-bit integer"},
      {"exit code as text", edited(R"("exit_code":2)", R"("exit_code":"2")"),
       "invalid type at /exit_code"},
      {"severity too large", edited(R"("severity":3)", R"("severity":256)"),
       "invalid type at /axes/0/severity: expected an unsigned 8-bit integer"},
      {"negative severity", edited(R"("severity":3)", R"("severity":-1)"),
       "expected an unsigned 8-bit integer"},
      {"pin count too large", edited(R"("pin_count":8)", R"("pin_count":4294967296)"),
       "invalid type at /hints/0/pin_count: expected an unsigned 32-bit integer"},
      {"extra count as text", edited(R"("extra_count":1)", R"("extra_count":"1")"),
       "invalid type at /variants/0/extra_count: expected an unsigned 32-bit integer"},
      {"values entry not text", edited(R"("kicad":"8")", R"("kicad":8)"),
       "invalid type at /axes/0/values/kicad: expected a string"},
      {"values not an object", edited(R"({"kicad":"8","quarn":"9"})", R"(["8","9"])"),
       "invalid type at /axes/0/values: expected an object"},
      {"conflicts not a list", edited(R"(["c"])", R"("c")"),
       "invalid type at /axes/0/conflicts: expected an array"},
      {"list element not text", edited(R"(["quarn","kicad"])", R"(["quarn",1])"),
       "invalid type at /sources_compared/1: expected a string"},
      {"hint not an object", edited(R"("hints":[{)", R"("hints":[1,{)"),
       "invalid type at /hints/0: expected an object"},
      {"null text", edited(R"("summary":"s")", R"("summary":null)"),
       "invalid type at /summary: expected a string"},
      {"root not an object", "[]", "invalid type at the document root: expected an object"},
      // Not JSON at all.
      {"empty", "", "parse error"},
      {"truncated", std::string(kBase.substr(0, kBase.size() / 2)), "parse error"},
      {"trailing text", std::string(kBase) + " x", "parse error"},
      {"not JSON", "status: golden", "parse error"},
      {"bad UTF-8", edited(R"("mpn":"M")", "\"mpn\":\"M\xff\""), "parse error"},
  };
  for (const auto& row : rows) {
    const auto doc = parse_result_doc(row.text);
    ASSERT_FALSE(doc) << row.name;
    EXPECT_NE(doc.error().message().find(row.message), std::string::npos)
        << row.name << ": " << doc.error().message();
  }
}

TEST(ResultDocReader, AcceptsTagsAnywhereUnknownKeysAndOtherKeyOrders) {
  struct Accepted {
    std::string_view name;
    std::vector<std::pair<std::string_view, std::string_view>> edits;
  };
  const Accepted rows[] = {
      {"hint tag last",
       {{R"("action":"ul_symbol_has_stub_names",)", ""},
        {R"("harvo_action":"h")", R"("harvo_action":"h","action":"ul_symbol_has_stub_names")"}}},
      {"variant tag last",
       {{R"("kind":"module_extra_pads",)", ""},
        {R"("extra_count":1)", R"("extra_count":1,"kind":"module_extra_pads")"}}},
      {"unknown document keys, even repeated",
       {{R"("mpn":"M",)", R"("mpn":"M","later":{"a":1,"a":2},"later":[],)"}}},
      {"unknown axis keys", {{R"("severity":3)", R"("severity":3,"note":"x","note":"y")"}}},
      {"unknown hint keys", {{R"("harvo_action":"h")", R"("harvo_action":"h","v2":{})"}}},
      {"unknown variant keys", {{R"("extra_count":1)", R"("extra_count":1,"v2":null)"}}},
      {"document key moved last",
       {{R"("schema_version":"1",)", ""},
        {R"("extractor_version":"0.8.0")", R"("extractor_version":"0.8.0","schema_version":"1")"}}},
  };
  for (const auto& row : rows) {
    std::string text(kBase);
    for (const auto& [from, to] : row.edits) {
      const auto at = text.find(from);
      ASSERT_NE(at, std::string::npos) << row.name;
      text.replace(at, from.size(), to);
    }
    const auto doc = parse_result_doc(text);
    ASSERT_TRUE(doc) << row.name << ": " << doc.error().message();
    EXPECT_EQ(*doc, base_document()) << row.name;
  }
}

TEST(ResultDocReader, RepeatedKeyInValuesMapKeepsTheLastValue) {
  const auto doc = parse_result_doc(edited(R"("kicad":"8")", R"("kicad":"7","kicad":"8")"));
  ASSERT_TRUE(doc) << doc.error().message();
  EXPECT_EQ(*doc, base_document());
}

TEST(ResultDocReader, NegativeAndExtremeIntegersWithinRangeAreAccepted) {
  const auto doc = parse_result_doc(edited(R"("exit_code":2)", R"("exit_code":-2147483648)"));
  ASSERT_TRUE(doc) << doc.error().message();
  EXPECT_EQ(doc->exit_code, -2147483648LL);
  const auto wide = parse_result_doc(edited(R"("pin_count":8)", R"("pin_count":4294967295)"));
  ASSERT_TRUE(wide) << wide.error().message();
  EXPECT_EQ(std::get<UlSymbolHasStubNames>(wide->hints[0]).pin_count, 4294967295u);
}

using Members = nlohmann::ordered_json::object_t;

std::vector<std::string> keys_of(const nlohmann::ordered_json& object) {
  std::vector<std::string> keys;
  for (const auto& member : object.get_ref<const Members&>()) keys.push_back(member.first);
  return keys;
}

TEST(JsonTreeParse, KeepsRepeatedMembersInDocumentOrder) {
  const auto tree = parse_json_keeping_repeats(R"({"c":0,"a":[{"k":1,"k":2}],"c":1})");
  ASSERT_TRUE(tree);
  EXPECT_EQ(keys_of(*tree), (std::vector<std::string>{"c", "a", "c"}));
  const auto& inner = tree->get_ref<const Members&>().begin()[1].second[0];
  EXPECT_EQ(keys_of(inner), (std::vector<std::string>{"k", "k"}));
}

TEST(JsonTreeParse, DeepNestingDoesNotExhaustTheStack) {
  const std::size_t depth = 200000;
  const std::string text = std::string(depth, '[') + std::string(depth, ']');
  EXPECT_TRUE(parse_json_keeping_repeats(text));
  EXPECT_FALSE(parse_result_doc(text));
}

}  // namespace
}  // namespace tessan
