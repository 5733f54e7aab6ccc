// Placeholder until the reader lands; it fails cleanly.
#include "parsers/quarn_reader.hpp"

namespace tessan {

Result<SourceData> read_quarn(const std::filesystem::path&,
                              const std::optional<std::filesystem::path>&) {
  return Error("quarn reader not built yet");
}

}  // namespace tessan
