// The published JSON Schema of the result document: it accepts every document the writer
// produces (every hint and variant kind, the example chips, the real-library corpus) and
// rejects documents that break the contract.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "result_doc/sample_docs.hpp"
#include "result_doc_json.hpp"
#include "support/schema_check.hpp"
#include "support/test_support.hpp"

namespace tessan::testing {
namespace {

using nlohmann::json;

const std::filesystem::path kExamples = std::filesystem::path(TESSAN_SOURCE_DIR) / "examples";

json full_document_json() {
  return json::parse(*serialize_result_doc(full_document()));
}

bool is_valid(const json& document) {
  return result_doc_schema_violations(document.dump()).empty();
}

TEST(ResultSchema, AcceptsTheWrittenFormOfEveryHintAndVariantKind) {
  expect_valid_result_doc(*serialize_result_doc(full_document()), "full document");
  expect_valid_result_doc(*serialize_result_doc(unrecoverable_document()),
                          "unrecoverable document");
}

TEST(ResultSchema, AllowsKeysItDoesNotList) {
  json document = full_document_json();
  document["produced_by"] = "another tool";
  document["axes"][0]["weight_note"] = "x";
  document["hints"][0]["priority"] = 1;
  document["variants"][0]["confidence"] = 0.5;
  EXPECT_TRUE(is_valid(document)) << document.dump(2);
}

TEST(ResultSchema, TiesEveryStatusToItsExitCode) {
  constexpr std::array kStatuses = {Status::Golden, Status::GoldenWithVariants, Status::Divergent,
                                    Status::Unrecoverable};
  for (const Status status : kStatuses) {
    for (const int code : {0, 1, 2, 3}) {
      json document = full_document_json();
      document["status"] = status_text(status);
      document["exit_code"] = code;
      EXPECT_EQ(is_valid(document), code == status_exit_code(status))
          << status_text(status) << " with exit code " << code;
    }
  }
}

// A change that makes a written document break the contract: the value at `pointer` is
// replaced (or added), or removed when no value is given.
struct Breakage {
  std::string name;
  std::string pointer;
  std::optional<json> value;
};

void apply(const Breakage& breakage, json& document) {
  const json::json_pointer pointer(breakage.pointer);
  if (breakage.value) {
    document[pointer] = *breakage.value;
    return;
  }
  json& parent = document[pointer.parent_pointer()];
  if (parent.is_array()) {
    parent.erase(std::stoul(pointer.back()));
  } else {
    parent.erase(pointer.back());
  }
}

class RejectsBrokenDocument : public ::testing::TestWithParam<Breakage> {};

TEST_P(RejectsBrokenDocument, WithAViolation) {
  json document = full_document_json();
  ASSERT_TRUE(is_valid(document));
  apply(GetParam(), document);
  EXPECT_FALSE(is_valid(document)) << document.dump(2);
}

// In the full sample document, axes are pad_count, package_family, body_dims; variants and hints
// hold one of each kind in enumeration order.
INSTANTIATE_TEST_SUITE_P(
    Contract, RejectsBrokenDocument,
    ::testing::Values(Breakage{"MissingSummary", "/summary", std::nullopt},
                      Breakage{"MissingExtractorVersion", "/extractor_version", std::nullopt},
                      Breakage{"SchemaVersionTwo", "/schema_version", "2"},
                      Breakage{"UnknownStatus", "/status", "gold"},
                      Breakage{"ExitCodeOfAnotherStatus", "/exit_code", 0},
                      Breakage{"ExitCodeAsText", "/exit_code", "2"},
                      Breakage{"UnknownSource", "/sources_compared/0", "orcad"},
                      Breakage{"RepeatedSource", "/sources_missing/1", "eagle"},
                      Breakage{"UnknownAxis", "/axes/0/axis", "pad_size"},
                      Breakage{"UnknownVerdict", "/axes/0/verdict", "agreed"},
                      Breakage{"SeverityAboveOneByte", "/axes/0/severity", 256},
                      Breakage{"NegativeSeverity", "/axes/0/severity", -1},
                      Breakage{"ValueOfUnknownSource", "/axes/0/values/spice", "10"},
                      Breakage{"ValueNotText", "/axes/0/values/kicad", 10},
                      Breakage{"AxisWithoutConflicts", "/axes/1/conflicts", std::nullopt},
                      Breakage{"HintsNotAList", "/hints", json::object()},
                      Breakage{"UnknownHintAction", "/hints/0/action", "refetch"},
                      Breakage{"RefetchWithoutSuggestedSources", "/hints/0/suggested_sources",
                               std::nullopt},
                      Breakage{"RefetchOfUnknownFormat", "/hints/0/format", "gerber"},
                      Breakage{"NegativePinCount", "/hints/1/pin_count", -1},
                      Breakage{"PinCountBeyond32Bits", "/hints/1/pin_count", 4294967296LL},
                      Breakage{"HintWithoutAction", "/hints/2/action", std::nullopt},
                      Breakage{"CaveatsNotAList", "/hints/3/caveats", "x"},
                      Breakage{"ParseFailureOfAFileFormat", "/hints/5/format", "kicad_mod"},
                      Breakage{"PathNotText", "/hints/5/path", 7},
                      Breakage{"UnknownVariantKind", "/variants/0/kind", "ep"},
                      Breakage{"ExtraCountAsText", "/variants/1/extra_count", "4"},
                      Breakage{"VariantWithoutKind", "/variants/2/kind", std::nullopt},
                      Breakage{"VariantWithTheFieldsOfAnotherKind", "/variants/2",
                               json{{"kind", "label_only_mismatch"}, {"examples", json::array()}}},
                      Breakage{"KelvinPinNameNotText", "/variants/6/kelvin_pin_names/0", 1}),
    [](const auto& info) { return info.param.name; });

TEST(ResultSchema, RejectsTextThatIsNotJson) {
  EXPECT_FALSE(result_doc_schema_violations("{\"schema_version\": ").empty());
}

// Runs `check --force` on `chip_dir` with the document written into `out` and validates it.
void expect_valid_check(const std::filesystem::path& chip_dir, const TempDir& out) {
  const auto run = run_tessan(
      {"check", "--force", "--json-only", "--out-dir", out.path().string(), chip_dir.string()});
  EXPECT_NE(run.exit_code, 1) << chip_dir << ": " << run.err;
  expect_valid_result_file(out.path() / (chip_dir.filename().string() + "-tessan.result.json"));
}

TEST(ResultSchemaOnRuns, DocumentsOfTheExampleChipsAreValid) {
  const TempDir out;
  for (const auto& chip : std::filesystem::directory_iterator(kExamples)) {
    expect_valid_check(chip.path(), out);
  }
}

TEST(ResultSchemaOnRuns, DocumentsOfEveryCorpusPartAreValid) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const TempDir out;
  int parts = 0;
  for (const auto& part : std::filesystem::directory_iterator(corpus)) {
    if (!part.is_directory() || part.path().filename().string().front() == '_') continue;
    expect_valid_check(part.path(), out);
    ++parts;
  }
  EXPECT_GT(parts, 0);
}

}  // namespace
}  // namespace tessan::testing
