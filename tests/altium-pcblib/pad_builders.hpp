// Pad descriptions for the record builders, and a footprint of numbered pads.
#pragma once

#include <string>

#include "support/altium_builders.hpp"

namespace pcblib_test {

using tessan::testing::Bytes;
using tessan::testing::PcbPad;

inline PcbPad make_pad(std::string designator) {
  PcbPad pad;
  pad.designator = std::move(designator);
  return pad;
}

// A footprint stream named `name` with pads numbered 1 to `count`.
inline Bytes numbered_footprint(std::string_view name, int count) {
  std::vector<PcbPad> pads;
  for (int i = 1; i <= count; ++i) pads.push_back(make_pad(std::to_string(i)));
  return tessan::testing::pcb_data_stream(name, pads);
}

}  // namespace pcblib_test
