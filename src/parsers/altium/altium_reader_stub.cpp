// Placeholder until the reader lands; it fails cleanly.
#include "parsers/altium/altium_reader.hpp"

namespace tessan {

Result<SourceData> read_altium(const std::filesystem::path&, std::optional<std::uint32_t>,
                               const std::optional<std::filesystem::path>&) {
  return Error("altium reader not built yet");
}

}  // namespace tessan
