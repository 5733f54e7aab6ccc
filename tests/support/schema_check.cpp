#include "support/schema_check.hpp"

#include <gtest/gtest.h>

#include <exception>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <valijson/adapters/nlohmann_json_adapter.hpp>
#include <valijson/schema.hpp>
#include <valijson/schema_parser.hpp>
#include <valijson/validation_results.hpp>
#include <valijson/validator.hpp>

#include "support/test_support.hpp"

namespace tessan::testing {

namespace {

const std::filesystem::path kSchemaPath =
    std::filesystem::path(TESSAN_SOURCE_DIR) / "schema" / "result.schema.json";

// The parsed schema, or the reason it could not be loaded. Loaded once per test program.
struct LoadedSchema {
  std::unique_ptr<valijson::Schema> schema;
  std::string failure;
};

LoadedSchema load_schema() {
  LoadedSchema loaded;
  try {
    const auto document = nlohmann::json::parse(read_file(kSchemaPath));
    loaded.schema = std::make_unique<valijson::Schema>();
    valijson::SchemaParser parser;
    parser.populateSchema(valijson::adapters::NlohmannJsonAdapter(document), *loaded.schema);
  } catch (const std::exception& error) {
    loaded.schema.reset();
    loaded.failure = "schema " + kSchemaPath.string() + ": " + error.what();
  }
  return loaded;
}

const LoadedSchema& result_doc_schema() {
  static const LoadedSchema loaded = load_schema();
  return loaded;
}

std::string describe(const valijson::ValidationResults::Error& error) {
  std::string where;
  for (const auto& step : error.context) where += step;
  return where + ": " + error.description;
}

}  // namespace

std::vector<std::string> result_doc_schema_violations(std::string_view json_text) {
  const LoadedSchema& loaded = result_doc_schema();
  if (!loaded.schema) return {loaded.failure};
  const auto document = nlohmann::json::parse(json_text, nullptr, false);
  if (document.is_discarded()) return {"not a JSON text"};
  valijson::Validator validator;
  valijson::ValidationResults results;
  if (validator.validate(*loaded.schema, valijson::adapters::NlohmannJsonAdapter(document),
                         &results)) {
    return {};
  }
  std::vector<std::string> violations;
  for (const auto& error : results) violations.push_back(describe(error));
  return violations;
}

void expect_valid_result_doc(std::string_view json_text, std::string_view origin) {
  const auto violations = result_doc_schema_violations(json_text);
  if (violations.empty()) return;
  std::string listing;
  for (const auto& violation : violations) listing += "\n  " + violation;
  ADD_FAILURE() << origin << " breaks the result document schema:" << listing;
}

void expect_valid_result_file(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    ADD_FAILURE() << "no result document at " << path;
    return;
  }
  expect_valid_result_doc(read_file(path), path.string());
}

}  // namespace tessan::testing
