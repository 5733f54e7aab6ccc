// Placeholder until the result document's JSON form lands.
#include "result_doc_json.hpp"

namespace tessan {

Result<std::string> serialize_result_doc(const ResultDoc&) { return Error("not built yet"); }
Result<std::string> serialize_hint_compact(const Hint&) { return Error("not built yet"); }
VoidResult write_result_doc(const ResultDoc&, const std::filesystem::path& path) {
  return Error("writing " + path.string());
}
Result<ResultDoc> parse_result_doc(std::string_view) { return Error("not built yet"); }
Result<ResultDoc> read_result_doc(const std::filesystem::path&) { return Error("not built yet"); }

}  // namespace tessan
