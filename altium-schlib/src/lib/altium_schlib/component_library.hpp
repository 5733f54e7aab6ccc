// Reading the first component of an Altium schematic library into its typed form.
#pragma once

#include <filesystem>

#include "altium_container/container.hpp"
#include "altium_container/library_limits.hpp"
#include "altium_schlib/component.hpp"

namespace altium {

// The library's first component. An integrated library (.IntLib) gives the first component of
// its first embedded schematic library.
// Errors: the container's, "no component storages found in SchLib",
// "open /" + name + "/Data: " + reason, the reader's own text when the stream cannot be read,
// "no pins parsed from component " + name, and "too many pins" (kTooManyPins) the moment the
// component holds more than `max_pins`.
Result<Component> parse_first_component(ByteView bytes,
                                        std::size_t max_pins = kDefaultMaxPinsOrPads);

// Reads the file whole and parses it. Error "read .SchLib " + path + ": " + reason when it
// cannot be read.
Result<Component> read_first_component(const std::filesystem::path& path);

}  // namespace altium
