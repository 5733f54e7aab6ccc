// The run's record of which sources were read, which are missing, and why.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "compare/source_data.hpp"
#include "result_doc.hpp"
#include "tessan_error.hpp"

namespace tessan {

struct SourceBook {
  std::vector<SourceData> records;    // in reading order
  std::vector<std::string> compared;  // names read successfully
  std::vector<std::string> missing;   // names absent or failed
  std::vector<Hint> hints;            // one source_parse_failed per failed source

  void mark_missing(std::string_view name) { missing.emplace_back(name); }

  // Books a reader's outcome. On success prints the progress line
  // label + " — {pins} pins, {pads} pads, " + noun + " {package}" + suffix.
  void book(std::string_view name, const std::filesystem::path& path, Result<SourceData> read,
            std::string_view label, std::string_view noun, std::string_view suffix = {});
};

}  // namespace tessan
