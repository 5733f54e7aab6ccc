// The result-document reader; a document it accepts must survive writing and reading back.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.hpp"
#include "result_doc_json.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tessan::fuzz::require;
  const auto doc = tessan::parse_result_doc(tessan::fuzz::as_text(data, size));
  if (!doc) {
    require(!doc.error().message().empty(), "error without a message");
    return 0;
  }
  const auto text = tessan::serialize_result_doc(*doc);
  require(text.ok(), "an accepted document cannot be written");
  const auto again = tessan::parse_result_doc(*text);
  require(again.ok(), "a written document cannot be read back");
  require(*again == *doc, "reading back changes the document");
  return 0;
}
