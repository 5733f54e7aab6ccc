// The result-document reader on hostile text: the cache of `check` and the input of `inspect`
// may have been damaged or replaced by anything.
#include <gtest/gtest.h>

#include <string>

#include "hostile/bounded_run.hpp"
#include "hostile/hostile_inputs.hpp"
#include "result_doc_json.hpp"
#include "support/test_support.hpp"

namespace tessan::hostile {
namespace {

ResultDoc sample_document() {
  ResultDoc doc;
  doc.status = Status::Divergent;
  doc.exit_code = 2;
  doc.mpn = "LM358DR";
  doc.summary = "LM358DR \u2014 DIVERGENT";
  doc.sources_compared = {"quarn", "kicad"};
  doc.sources_missing = {"eagle", "altium"};
  doc.axes = {AxisOutcome{
      "pad_count", Verdict::Disagree, {{"kicad", "9"}, {"quarn", "8"}}, {"kicad 9 vs quarn 8"}, 3}};
  doc.variants = {ExposedPadVariant{{"kicad"}, {"quarn"}}};
  doc.hints = {SourceParseFailed{"eagle", "/chips/LM358DR/LM358DR.lbr", "parsing EAGLE XML"},
               UlSymbolHasStubNames{"kicad", 8, "use quarn", "prefer_quarn_symbol"}};
  return doc;
}

std::string sample_text() {
  auto text = serialize_result_doc(sample_document());
  EXPECT_TRUE(text.ok());
  return text.ok() ? *text : std::string();
}

std::string outcome_of(std::string_view text) {
  const auto doc = parse_result_doc(text);
  return doc ? "read " + doc->mpn : "error: " + doc.error().message();
}

TEST(ResultDocHostile, TheSampleReadsBack) {
  const auto doc = parse_result_doc(sample_text());
  ASSERT_TRUE(doc.ok());
  EXPECT_EQ(*doc, sample_document());
}

TEST(ResultDocHostile, EmptyAndRandomTextIsAnError) {
  EXPECT_TRUE(outcome_of("").starts_with("error: "));
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    const std::string outcome = outcome_of(random_bytes(seed, 64 * seed));
    EXPECT_TRUE(outcome.starts_with("error: ")) << seed;
  }
}

// Only the trailing line feed may go: every other cut leaves the document incomplete.
TEST(ResultDocHostile, EveryTruncationIsAnError) {
  const std::string text = sample_text();
  for (std::size_t cut = 0; cut + 1 < text.size(); ++cut) {
    const std::string outcome = outcome_of(std::string_view(text).substr(0, cut));
    EXPECT_TRUE(outcome.starts_with("error: ")) << "cut at " << cut << ": " << outcome;
  }
  EXPECT_EQ(outcome_of(std::string_view(text).substr(0, text.size() - 1)), "read LM358DR");
}

// Values the records cannot hold are errors, not wrapped or truncated numbers.
TEST(ResultDocHostile, OutOfRangeValuesAreErrors) {
  const std::string text = sample_text();
  const auto with = [&](const std::string& from, const std::string& to) {
    std::string changed = text;
    const std::size_t at = changed.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return changed.replace(at, from.size(), to);
  };
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\"exit_code\": 2", "\"exit_code\": 4294967298"},
      {"\"exit_code\": 2", "\"exit_code\": -2147483649"},
      {"\"exit_code\": 2", "\"exit_code\": 2.5"},
      {"\"exit_code\": 2", "\"exit_code\": 1e999"},
      {"\"severity\": 3", "\"severity\": 259"},
      {"\"severity\": 3", "\"severity\": -1"},
      {"\"pin_count\": 8", "\"pin_count\": 4294967304"},
      {"\"status\": \"divergent\"", "\"status\": \"DIVERGENT\""},
      {"\"action\": \"source_parse_failed\"", "\"action\": \"rm_rf\""},
      {"\"mpn\": \"LM358DR\"", "\"mpn\": \"LM358DR\", \"mpn\": \"X\""},
      {"\"mpn\": \"LM358DR\"", "\"mpn\": [\"LM358DR\"]"},
  };
  for (const auto& [from, to] : cases) {
    EXPECT_TRUE(outcome_of(with(from, to)).starts_with("error: ")) << to;
  }
}

TEST(ResultDocHostile, AMillionNestedValuesEndWithinBounds) {
  const std::string text = sample_text();
  const std::string nested_arrays =
      "{\"junk\": " + nested("[", "]", 1'000'000) + ", " + text.substr(1);
  const std::string nested_objects = "{\"junk\": " + repeated("{\"a\":", 5'000'000) + "0" +
                                     std::string(1'000'000, '}') + ", " + text.substr(1);
  const std::string unclosed = text.substr(0, text.size() - 3) + std::string(1'000'000, '[');
  const std::vector<std::pair<std::string, std::string>> cases = {
      {nested_arrays, "read LM358DR"},
      {nested_objects, "read LM358DR"},
      {unclosed, "error"},
  };
  for (const auto& [input, expected] : cases) {
    const auto run = run_bounded([&] { return outcome_of(input); });
    ASSERT_TRUE(run.finished) << run.ending;
    EXPECT_TRUE(run.report.starts_with(expected)) << run.report;
    EXPECT_LT(run.peak_rise_mib, memory_ceiling_mib(input.size()));
  }
}

TEST(ResultDocHostile, AHugeDocumentReadsWithinBounds) {
  std::string text = sample_text();
  const std::string filler = "{\"action\": \"human_review\", \"reason\": \"r\", \"notes\": \"n\"},";
  text.insert(text.find("\"hints\": [") + 10, repeated(filler, huge_input_bytes()));
  const auto run = run_bounded([&] { return outcome_of(text); });
  ASSERT_TRUE(run.finished) << run.ending;
  EXPECT_EQ(run.report, "read LM358DR");
  EXPECT_LT(run.peak_rise_mib, 3 * memory_ceiling_mib(text.size()));
}

}  // namespace
}  // namespace tessan::hostile
