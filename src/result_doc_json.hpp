// The JSON form of the result document: exact pretty-printed text, and reading it back.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "result_doc.hpp"

namespace tessan {

// The document as pretty-printed JSON text with one trailing line feed.
// Fails only when a text cannot be serialised (a path that is not valid UTF-8).
Result<std::string> serialize_result_doc(const ResultDoc& doc);

// A hint as compact JSON (keys in document order, `action` first).
Result<std::string> serialize_hint_compact(const Hint& hint);

// Writes the document whole to `path`, atomically (a temporary file in the same directory,
// then renamed over the target). A file-system failure has the message "writing " + path.
VoidResult write_result_doc(const ResultDoc& doc, const std::filesystem::path& path);

// Parses a document; the error carries the JSON library's message.
Result<ResultDoc> parse_result_doc(std::string_view text);

// Reads and parses the file at `path`.
Result<ResultDoc> read_result_doc(const std::filesystem::path& path);

}  // namespace tessan
