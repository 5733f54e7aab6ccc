#include "altium_schlib/schlib.hpp"

#include "altium_schlib/component_json.hpp"
#include "altium_schlib/component_library.hpp"

namespace altium {

Result<nlohmann::json> read_schlib(const std::filesystem::path& path) {
  auto component = read_first_component(path);
  if (!component) return std::move(component).error();
  return component_document(*component);
}

Result<nlohmann::json> parse_schlib(ByteView bytes) {
  auto component = parse_first_component(bytes);
  if (!component) return std::move(component).error();
  return component_document(*component);
}

}  // namespace altium
