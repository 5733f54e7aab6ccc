// The result document on disk.
#include "atomic_file_write.hpp"
#include "regular_file_read.hpp"
#include "result_doc_json.hpp"

namespace tessan {

VoidResult write_result_doc(const ResultDoc& doc, const std::filesystem::path& path) {
  auto text = serialize_result_doc(doc);
  if (!text) return std::move(text).error();
  return write_file_atomically(path, *text);
}

Result<ResultDoc> read_result_doc(const std::filesystem::path& path) {
  auto text = read_regular_file(path, kMaxResultDocumentBytes);
  if (!text) return Error("reading " + path.string(), std::move(text).error());
  return parse_result_doc(*text);
}

}  // namespace tessan
