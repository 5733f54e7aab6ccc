#include "altium_footprint_edit.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "parsers/altium/altium_reader.hpp"
#include "support/altium_builders.hpp"

namespace tessan::testing {
namespace {

constexpr double kUnitsPerMm = 1 / 2.54e-6;

std::int32_t units(double mm) {
  return static_cast<std::int32_t>(std::lround(mm * kUnitsPerMm));
}

}  // namespace

void redraw_altium_footprint(const std::filesystem::path& pcblib,
                             const std::function<void(std::vector<PadPlace>&)>& edit) {
  const auto read = read_altium(pcblib, std::nullopt, std::nullopt);
  ASSERT_TRUE(read && read->pad_geometry && read->package);
  std::vector<PadPlace> places;
  for (std::size_t i = 0; i < read->pads.size(); ++i) {
    const PadGeometry& g = (*read->pad_geometry)[i];
    places.push_back({read->pads[i], g.x, g.y, g.w, g.h});
  }
  edit(places);
  std::vector<PcbPad> pads;
  for (const PadPlace& p : places) {
    PcbPad pad;
    pad.designator = p.label;
    pad.x = units(p.x);
    pad.y = units(p.y);
    pad.size_x = static_cast<std::uint32_t>(units(p.dx));
    pad.size_y = static_cast<std::uint32_t>(units(p.dy));
    pad.shape = 2;
    pads.push_back(pad);
  }
  const std::string name = read->package->package_name;
  const Bytes file = pcblib_file({{name, pcb_data_stream(name, pads)}});
  std::ofstream out(pcblib, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

}  // namespace tessan::testing
