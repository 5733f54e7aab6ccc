// Builds the text of small KiCad symbol libraries and footprints for the reader's tests.
#pragma once

#include <string>
#include <vector>

namespace tessan::testing {

// A pin list as KiCad writes it; a null name or number leaves that list out.
inline std::string kicad_pin(const char* number, const char* name) {
  std::string text = "(pin power_in line (at 0 0 0) (length 2.54)";
  const std::string effects = " (effects (font (size 1.27 1.27)))";
  if (name != nullptr) text += " (name \"" + std::string(name) + "\"" + effects + ")";
  if (number != nullptr) text += " (number \"" + std::string(number) + "\"" + effects + ")";
  return text + ")";
}

// One symbol whose units hold the given pin lists.
inline std::string kicad_symbol(const std::string& name,
                                const std::vector<std::vector<std::string>>& units) {
  std::string text = "  (symbol \"" + name + "\" (pin_names (offset 1.016)) (in_bom yes)\n";
  text += "    (property \"Reference\" \"U\" (at 0 0 0))\n";
  for (std::size_t unit = 0; unit < units.size(); ++unit) {
    text += "    (symbol \"" + name + "_" + std::to_string(unit + 1) + "_1\"\n";
    text += "      (rectangle (start -5 5) (end 5 -5) (stroke (width 0.254)))\n";
    for (const auto& pin : units[unit]) text += "      " + pin + "\n";
    text += "    )\n";
  }
  return text + "  )\n";
}

inline std::string kicad_symbol_library(const std::vector<std::string>& symbols) {
  std::string text = "(kicad_symbol_lib (version 20211014) (generator kicad_symbol_editor)\n";
  for (const auto& symbol : symbols) text += symbol;
  return text + ")\n";
}

// A pad list; `label` is written exactly as given (quoted or bare).
inline std::string kicad_pad(const std::string& label, const char* type = "smd") {
  return "  (pad " + label + " " + type +
         " rect (at 0 0) (size 1 1) (layers \"F.Cu\" \"F.Paste\" \"F.Mask\"))\n";
}

// A footprint; `name` is written exactly as given (quoted or bare).
inline std::string kicad_footprint(const std::string& name, const std::vector<std::string>& pads,
                                   const char* keyword = "footprint") {
  std::string text =
      "(" + std::string(keyword) + " " + name + " (version 20221018) (layer \"F.Cu\")\n";
  text += "  (fp_text reference \"REF**\" (at 0 -3) (layer \"F.SilkS\"))\n";
  for (const auto& pad : pads) text += pad;
  text += "  (model \"${KICAD6_3DMODEL_DIR}/x.wrl\" (offset (xyz 0 0 0)))\n";
  return text + ")\n";
}

}  // namespace tessan::testing
