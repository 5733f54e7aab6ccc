#include "altium_pcblib/pcblib.hpp"

#include "altium_pcblib/footprint_json.hpp"
#include "altium_pcblib/footprint_library.hpp"

namespace altium {

Result<nlohmann::json> read_pcblib(const std::filesystem::path& path) {
  auto entries = read_footprint_entries(path);
  if (!entries) return std::move(entries).error();
  return footprint_document(*entries);
}

Result<nlohmann::json> parse_pcblib(ByteView bytes) {
  auto entries = parse_footprint_entries(bytes);
  if (!entries) return std::move(entries).error();
  return footprint_document(*entries);
}

}  // namespace altium
