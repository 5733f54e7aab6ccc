// What `inspect` looks for and the lines it prints for a result document.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "result_doc.hpp"

namespace tessan {

// The last component of the chip directory as typed ("a/b/" gives "b"), or "?" when there is
// none ("/", ".", "..", "a/..") or it is not valid UTF-8.
std::string inspect_name(const std::filesystem::path& chip_dir);

// The summary lines of a document, in printing order, without line feeds.
std::vector<std::string> inspect_summary_lines(const ResultDoc& doc);

}  // namespace tessan
