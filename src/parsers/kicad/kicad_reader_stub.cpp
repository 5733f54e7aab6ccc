// Placeholder until the reader lands; it fails cleanly.
#include "parsers/kicad/kicad_reader.hpp"

namespace tessan {

Result<SourceData> read_kicad(const std::optional<std::filesystem::path>&,
                              const std::optional<std::filesystem::path>&) {
  return Error("kicad reader not built yet");
}

}  // namespace tessan
