// Checks result documents against the published JSON Schema (schema/result.schema.json).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tessan::testing {

// Every way in which `json_text` breaks the schema, one line each ("<where>: <what>"); empty
// when the document is valid. Text that is not JSON, or a schema that cannot be loaded, is
// reported the same way.
std::vector<std::string> result_doc_schema_violations(std::string_view json_text);

// Adds a test failure naming `origin` and listing the violations when the document is invalid.
void expect_valid_result_doc(std::string_view json_text, std::string_view origin = "document");

// The same for the document in the file at `path` (a missing file is a failure too).
void expect_valid_result_file(const std::filesystem::path& path);

}  // namespace tessan::testing
