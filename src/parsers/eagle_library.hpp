// What an EAGLE library document holds for the reader: packages with their pads, the package
// its first device names, and the pins of that device.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/source_data.hpp"
#include "parsers/eagle_pad_extent.hpp"
#include "reader_limits.hpp"
#include "tessan_error.hpp"

namespace tessan {

struct EaglePackage {
  std::vector<std::string> pads;      // labels of its smd and pad elements, document order
  PadExtent extent;                   // of the pad centres
  std::vector<PadGeometry> geometry;  // one per label while every pad has its geometry
  bool geometry_complete = true;
};

struct EagleLibrary {
  std::map<std::string, EaglePackage> packages;  // by name; a later package of a name wins
  std::optional<std::string> chosen_package;     // named by the first device with a package
  // From the connects of the device that named the chosen package, or of every device when
  // none names one (see EaglePinCollector).
  std::vector<Pin> pins;
};

struct EagleReadLimits {
  std::size_t expansion_budget = 0;  // bytes that entity references in attribute values may add
  std::size_t max_pads = kMaxPinsOrPads;  // in one package
  std::size_t max_pins = kMaxPinsOrPads;
};

// Reads the document as a stream (libxml2's SAX2 interface), keeping only what the record needs; a
// pad belongs to the package nearest above it. Fails with "parsing EAGLE XML" when the text is not
// well-formed (the parser's first error, with its line and column, as the cause) or when entity
// references in attribute values expand beyond the budget, and, as soon as a count passes its
// limit, with "too many pads" or "too many pins", reading no further. Nothing outside the text is
// read, no entity is substituted by the parser, and no message of the parser reaches the console.
Result<EagleLibrary> read_eagle_library(std::string_view text, const EagleReadLimits& limits);

}  // namespace tessan
