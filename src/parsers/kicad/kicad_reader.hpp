// Reader of the KiCad source: a symbol library and a footprint, either of which may be absent.
#pragma once

#include <filesystem>
#include <optional>

#include "compare/source_data.hpp"
#include "tessan_error.hpp"

namespace tessan {

Result<SourceData> read_kicad(const std::optional<std::filesystem::path>& symbol_path,
                              const std::optional<std::filesystem::path>& footprint_path);

}  // namespace tessan
