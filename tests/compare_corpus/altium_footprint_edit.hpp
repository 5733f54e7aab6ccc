// Redraws the footprint of a copied Altium library: its pads are read, edited and written
// back as a new one-footprint PcbLib under the same footprint name.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "footprint_edits.hpp"

namespace tessan::testing {

// `dx` and `dy` of each place are the pad's extent in millimetres, y pointing up.
void redraw_altium_footprint(const std::filesystem::path& pcblib,
                             const std::function<void(std::vector<PadPlace>&)>& edit);

}  // namespace tessan::testing
