// Copies of real libraries broken in one precise way, and what `check` must leave uncovered.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "chip_copy.hpp"
#include "library_edits.hpp"

namespace tessan::testing {

using Texts = std::vector<std::string>;

inline const Texts kPads = {"pad_count", "pad_numbers"};
inline const std::string kNames = "pin_names";
inline const std::string kMap = "pin_to_pad_map";
inline const std::string kPinCount = "symbol_pin_count";
inline const std::string kFamily = "package_family";

struct BrokenCopy {
  std::string name;
  std::string mpn;
  std::function<void(const ChipCopy&, const std::filesystem::path& corpus)> edit;
  Texts must_stay_uncovered;
};

inline void PrintTo(const BrokenCopy& c, std::ostream* os) {
  *os << c.name;
}

class BrokenCopies : public ::testing::TestWithParam<BrokenCopy> {};

inline Texts with(Texts axes, std::initializer_list<std::string> more) {
  axes.insert(axes.end(), more);
  return axes;
}

// ---- Edits ----

inline auto kicad_sym(std::function<void(std::string&)> change) {
  return [change](const ChipCopy& copy, const std::filesystem::path&) {
    copy.edit(".kicad_sym", change);
  };
}
inline auto kicad_mod(std::function<void(std::string&)> change) {
  return [change](const ChipCopy& copy, const std::filesystem::path&) {
    copy.edit(".kicad_mod", change);
  };
}
inline auto eagle(std::function<void(std::string&)> change) {
  return
      [change](const ChipCopy& copy, const std::filesystem::path&) { copy.edit(".lbr", change); };
}
inline auto swap_kicad_names(std::string a, std::string b) {
  return kicad_sym(
      [a, b](std::string& t) { swap_texts(t, "(name \"" + a + "\"", "(name \"" + b + "\""); });
}
inline auto swap_eagle_pads(std::string pin_a, std::string pads_a, std::string pin_b,
                            std::string pads_b) {
  return eagle([=](std::string& t) {
    set_eagle_connect_pads(t, pin_a, pads_b);
    set_eagle_connect_pads(t, pin_b, pads_a);
  });
}

inline void drop_altium(const ChipCopy& copy) {
  copy.remove(".PcbLib");
  copy.remove(".SchLib");
}

}  // namespace tessan::testing
