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
#include "tessan_error.hpp"

namespace tessan {

struct EaglePackage {
  std::vector<std::string> pads;      // labels of its smd and pad elements, document order
  PadExtent extent;                   // of the pad centres
  std::vector<PadGeometry> geometry;  // one per label while every pad has its geometry
  bool geometry_complete = true;
};

struct EagleConnect {
  std::string pin;
  std::string pad;  // as written; may name several pads
};

struct EagleLibrary {
  std::map<std::string, EaglePackage> packages;  // by name; a later package of a name wins
  std::optional<std::string> chosen_package;     // named by the first device with a package
  // Document order: those of the device that named the chosen package, or of every device
  // when none names one.
  std::vector<EagleConnect> connects;
};

// Walks the whole tree in document order, without recursion. Fails only when attribute values
// refer to entities that expand beyond `expansion_budget` bytes in all.
Result<EagleLibrary> collect_eagle_library(const xmlDoc& document, std::size_t expansion_budget);

}  // namespace tessan
