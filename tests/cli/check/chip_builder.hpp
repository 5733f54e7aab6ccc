// Builds chip directories for the process-level tests of `check`: small but real files of each
// text format, written from a list of pins and pads.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/test_support.hpp"

namespace tessan::testing {

struct PinSpec {
  std::string number;
  std::string name;
};

inline std::string json_escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

inline std::string quarn_symbol_json(const std::vector<PinSpec>& pins) {
  std::string out = "{\"pins\": [";
  for (std::size_t i = 0; i < pins.size(); ++i) {
    out += (i ? ", " : "") + std::string("{\"number\": \"") + json_escape(pins[i].number) +
           "\", \"name\": \"" + json_escape(pins[i].name) + "\"}";
  }
  return out + "]}\n";
}

inline std::string quarn_footprint_json(const std::vector<std::string>& pads,
                                        const std::string& package, const std::string& body = "") {
  std::string out = "{\"package\": \"" + json_escape(package) + "\", ";
  if (!body.empty()) out += "\"bodyDimensions\": " + body + ", ";
  out += "\"padDescriptions\": {";
  for (std::size_t i = 0; i < pads.size(); ++i) {
    out += (i ? ", " : "") + std::string("\"") + json_escape(pads[i]) + "\": {}";
  }
  return out + "}}\n";
}

inline std::string kicad_symbol_text(const std::string& symbol, const std::vector<PinSpec>& pins) {
  std::string out = "(kicad_symbol_lib (version 20211014)\n  (symbol \"" + symbol + "\"\n";
  for (const auto& pin : pins) {
    out += "    (pin passive line (at 0 0 0) (length 2.54) (name \"" + pin.name +
           "\" (effects (font (size 1.27 1.27)))) (number \"" + pin.number +
           "\" (effects (font (size 1.27 1.27)))))\n";
  }
  return out + "  )\n)\n";
}

inline std::string kicad_footprint_text(const std::string& name,
                                        const std::vector<std::string>& pads) {
  std::string out = "(footprint \"" + name + "\" (version 20211014)\n";
  for (const auto& pad : pads) {
    out += "  (pad \"" + pad + "\" smd rect (at 0 0) (size 1 1) (layers \"F.Cu\"))\n";
  }
  return out + ")\n";
}

// An EAGLE library with one package (pads on a line, 1.27 apart) and one device tying pins to pads.
inline std::string eagle_library_text(const std::string& package,
                                      const std::vector<std::string>& pads,
                                      const std::vector<PinSpec>& pins) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
      "<eagle version=\"9.6.2\"><drawing><library><packages><package name=\"" +
      package + "\">\n";
  for (std::size_t i = 0; i < pads.size(); ++i) {
    out += "<smd name=\"" + pads[i] + "\" x=\"" + std::to_string(1.27 * static_cast<double>(i)) +
           "\" y=\"0\" dx=\"0.6\" dy=\"1.5\" layer=\"1\"/>\n";
  }
  out +=
      "</package></packages><devicesets><deviceset name=\"D\"><devices><device name=\"\" "
      "package=\"" +
      package + "\"><connects>\n";
  for (const auto& pin : pins) {
    out += "<connect gate=\"G$1\" pin=\"" + pin.name + "\" pad=\"" + pin.number + "\"/>\n";
  }
  return out +
         "</connects></device></devices></deviceset></devicesets></library></drawing>"
         "</eagle>\n";
}

inline std::vector<std::string> numbered(int first, int last) {
  std::vector<std::string> out;
  for (int i = first; i <= last; ++i) out.push_back(std::to_string(i));
  return out;
}

inline const std::vector<PinSpec>& lm358_pins() {
  static const std::vector<PinSpec> pins = {{"1", "OUT1"}, {"2", "IN1-"}, {"3", "IN1+"},
                                            {"4", "GND"},  {"5", "IN2+"}, {"6", "IN2-"},
                                            {"7", "OUT2"}, {"8", "VCC"}};
  return pins;
}

// A chip directory named `mpn` inside `root` with the given sources written under their
// discovery names.
class ChipDir {
 public:
  ChipDir(const TempDir& root, std::string mpn) : mpn_(std::move(mpn)), dir_(root.path() / mpn_) {
    std::filesystem::create_directories(dir_);
  }
  const std::filesystem::path& path() const { return dir_; }
  const std::string& mpn() const { return mpn_; }
  std::filesystem::path file(const std::string& suffix) const { return dir_ / (mpn_ + suffix); }
  std::filesystem::path result_path() const { return file("-tessan.result.json"); }

  ChipDir& quarn(const std::vector<PinSpec>& pins, const std::vector<std::string>& pads,
                 const std::string& package, const std::string& body = "") {
    write_file(file("-symbol.extracted.json"), quarn_symbol_json(pins));
    write_file(file("-footprint.extracted.json"), quarn_footprint_json(pads, package, body));
    return *this;
  }
  ChipDir& kicad(const std::vector<PinSpec>& pins, const std::vector<std::string>& pads,
                 const std::string& footprint) {
    write_file(file(".kicad_sym"), kicad_symbol_text(mpn_, pins));
    write_file(file(".kicad_mod"), kicad_footprint_text(footprint, pads));
    return *this;
  }
  ChipDir& eagle(const std::vector<PinSpec>& pins, const std::vector<std::string>& pads,
                 const std::string& package) {
    write_file(file(".lbr"), eagle_library_text(package, pads, pins));
    return *this;
  }

 private:
  std::string mpn_;
  std::filesystem::path dir_;
};

}  // namespace tessan::testing
