// Placeholder until the reader lands; it fails cleanly.
#include "parsers/eagle_reader.hpp"

namespace tessan {

Result<SourceData> read_eagle(const std::filesystem::path&) {
  return Error("eagle reader not built yet");
}

}  // namespace tessan
