// Reader of EAGLE XML libraries (.lbr).
#pragma once

#include <filesystem>

#include "compare/source_data.hpp"
#include "tessan_error.hpp"

namespace tessan {

Result<SourceData> read_eagle(const std::filesystem::path& library_path);

}  // namespace tessan
