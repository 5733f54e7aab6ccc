// Reader of the datasheet extractor's symbol and footprint JSON documents.
#pragma once

#include <filesystem>
#include <optional>

#include "compare/source_data.hpp"
#include "tessan_error.hpp"

namespace tessan {

Result<SourceData> read_quarn(const std::filesystem::path& symbol_path,
                              const std::optional<std::filesystem::path>& footprint_path);

}  // namespace tessan
