// Edits of the pads of real footprints: moved, turned, mirrored, renumbered, replaced.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tessan::testing {

// One pad as an edit sees it: label, centre and (EAGLE only) extent, in the file's units.
struct PadPlace {
  std::string label;
  double x = 0;
  double y = 0;
  double dx = 0;
  double dy = 0;
};

using PadEdit = std::function<void(PadPlace&)>;

// Every pad of a KiCad footprint: its number and its "(at x y)"; fails the test when there is
// no pad.
void edit_kicad_pads(std::string& text, const PadEdit& edit);

// Every <smd> of the EAGLE package named `package`: name, x, y, dx and dy.
void edit_eagle_smds(std::string& text, std::string_view package, const PadEdit& edit);

// Removes every <smd> of the EAGLE package and puts `elements` in their place.
void replace_eagle_pads(std::string& text, std::string_view package, std::string_view elements);

// Adds `elements` at the end of the EAGLE package.
void add_to_eagle_package(std::string& text, std::string_view package, std::string_view elements);

// "<smd name=... x=... y=... dx=... dy=... layer="1"/>".
std::string eagle_smd(const std::string& name, double x, double y, double dx, double dy);

// Labels 1..n numbered the other way round, pin 1 kept.
std::string clockwise_label(const std::string& label, int n);

// Labels 1..n moved on by `by` places along the ring.
std::string moved_on_label(const std::string& label, int n, int by);

}  // namespace tessan::testing
