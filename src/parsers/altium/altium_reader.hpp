// The Altium source: a footprint library (.PcbLib or .IntLib) and an optional symbol library.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "compare/source_data.hpp"
#include "tessan_error.hpp"

namespace tessan {

Result<SourceData> read_altium(const std::filesystem::path& footprint_library_path,
                               std::optional<std::uint32_t> consensus_pad_count,
                               const std::optional<std::filesystem::path>& symbol_library_path);

}  // namespace tessan
