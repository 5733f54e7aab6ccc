#include "altium_schlib/component_library.hpp"

#include "altium_container/library_file.hpp"
#include "altium_schlib/component_stream.hpp"

namespace altium {

namespace {

// The storage of an integrated library that embeds the schematic libraries.
constexpr std::string_view kEmbeddedSchLibStorage = "SchLib";

Error stream_error(const StreamData& stream, const std::string& storage) {
  if (stream.failure == StreamFailure::CannotOpen) {
    return Error("open /" + storage + "/Data: " + stream.error_text);
  }
  return Error(stream.error_text);
}

Result<Component> first_component(const Container& container, std::size_t max_pins) {
  const std::vector<std::string> storages = list_library_storages(container);
  if (storages.empty()) return Error("no component storages found in SchLib");
  const std::string& storage = storages.front();
  const StreamData stream = read_data_stream(container, storage);
  if (!stream.ok()) return stream_error(stream, storage);
  Component component = decode_component_stream(storage, stream.bytes, max_pins);
  if (component.pins.size() > max_pins) return Error(std::string(kTooManyPins));
  if (component.pins.empty()) return Error("no pins parsed from component " + storage);
  return component;
}

// The first component of the first embedded library.
Result<Component> first_embedded_component(const std::vector<Result<Bytes>>& libraries,
                                           std::size_t max_pins) {
  if (libraries.empty()) return Error("no component storages found in SchLib");
  const Result<Bytes>& library = libraries.front();
  if (!library) return library.error();
  auto container = open_altium_container(*library);
  if (!container) return std::move(container).error();
  return first_component(*container, max_pins);
}

}  // namespace

Result<Component> parse_first_component(ByteView bytes, std::size_t max_pins) {
  auto container = open_altium_container(bytes);
  if (!container) return std::move(container).error();
  if (auto embedded = embedded_libraries(*container, kEmbeddedSchLibStorage)) {
    return first_embedded_component(*embedded, max_pins);
  }
  return first_component(*container, max_pins);
}

Result<Component> read_first_component(const std::filesystem::path& path) {
  auto bytes = read_library_file(path);
  if (!bytes) return Error("read .SchLib " + path.string() + ": " + bytes.error().message());
  return parse_first_component(bytes->view(), kDefaultMaxPinsOrPads);
}

}  // namespace altium
