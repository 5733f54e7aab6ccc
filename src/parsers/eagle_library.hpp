// What an EAGLE library document holds for the reader: packages with their pads, the package
// its first device names, and the pin-to-pad connections.
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <map>
#include <optional>
#include <string>
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

// Walks the whole tree in document order, without recursion. A pad belongs to the package
// nearest above it. Fails with "parsing EAGLE XML" when attribute values refer to entities
// that expand beyond the budget, and, as soon as a count passes its limit, with "too many pads"
// or "too many pins".
Result<EagleLibrary> collect_eagle_library(const xmlDoc& document, const EagleReadLimits& limits);

}  // namespace tessan
