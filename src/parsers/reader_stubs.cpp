// Placeholders until each reader lands; every one of them fails cleanly.
#include "parsers/altium/altium_reader.hpp"
#include "parsers/eagle_reader.hpp"
#include "parsers/kicad/kicad_reader.hpp"
#include "parsers/quarn_reader.hpp"

namespace tessan {

Result<SourceData> read_quarn(const std::filesystem::path&,
                              const std::optional<std::filesystem::path>&) {
  return Error("quarn reader not built yet");
}
Result<SourceData> read_kicad(const std::optional<std::filesystem::path>&,
                              const std::optional<std::filesystem::path>&) {
  return Error("kicad reader not built yet");
}
Result<SourceData> read_eagle(const std::filesystem::path&) {
  return Error("eagle reader not built yet");
}
Result<SourceData> read_altium(const std::filesystem::path&, std::optional<std::uint32_t>,
                               const std::optional<std::filesystem::path>&) {
  return Error("altium reader not built yet");
}

}  // namespace tessan
