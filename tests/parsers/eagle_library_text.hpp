// Builds the text of small EAGLE libraries for the reader's tests.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessan::testing {

struct EaglePad {
  std::string name;
  std::optional<std::string> x;
  std::optional<std::string> y;
  std::string element = "smd";
};

struct EagleConnectText {
  std::string pin;
  std::string pad;
};

class EagleLibraryText {
 public:
  EagleLibraryText& package(const std::string& name, const std::vector<EaglePad>& pads) {
    packages_ += "<package name=\"" + name + "\">\n<description>d</description>\n";
    for (const auto& pad : pads) packages_ += pad_text(pad);
    packages_ += "<wire x1=\"-9\" y1=\"-9\" x2=\"9\" y2=\"9\" width=\"0.1\" layer=\"21\"/>\n";
    packages_ += "</package>\n";
    return *this;
  }
  // A package element written as given, for shapes the other builders do not make.
  EagleLibraryText& raw_package(const std::string& text) {
    packages_ += text;
    return *this;
  }
  EagleLibraryText& device(const std::optional<std::string>& package,
                           const std::vector<EagleConnectText>& connects) {
    devices_ += "<device name=\"D" + std::to_string(++device_count_) + "\"";
    if (package) devices_ += " package=\"" + *package + "\"";
    devices_ += ">\n<connects>\n";
    for (const auto& c : connects) {
      devices_ += "<connect gate=\"G$1\" pin=\"" + c.pin + "\" pad=\"" + c.pad + "\"/>\n";
    }
    devices_ += "</connects>\n<technologies><technology name=\"\"/></technologies>\n</device>\n";
    return *this;
  }

  std::string text() const {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
           "<eagle version=\"9.6.2\">\n<drawing>\n<library>\n<packages>\n" +
           packages_ +
           "</packages>\n<symbols>\n<symbol name=\"S\"><pin name=\"P\" x=\"0\" y=\"0\"/></symbol>\n"
           "</symbols>\n<devicesets>\n<deviceset name=\"PART\">\n<gates>\n"
           "<gate name=\"G$1\" symbol=\"S\" x=\"0\" y=\"0\"/>\n</gates>\n<devices>\n" +
           devices_ + "</devices>\n</deviceset>\n</devicesets>\n</library>\n</drawing>\n</eagle>\n";
  }

 private:
  static std::string pad_text(const EaglePad& pad) {
    std::string text = "<" + pad.element + " name=\"" + pad.name + "\"";
    if (pad.x) text += " x=\"" + *pad.x + "\"";
    if (pad.y) text += " y=\"" + *pad.y + "\"";
    return text + " dx=\"0.6\" dy=\"1.5\" layer=\"1\"/>\n";
  }

  std::string packages_;
  std::string devices_;
  int device_count_ = 0;
};

// Pads 1..count at the given centres.
inline std::vector<EaglePad> pads_at(const std::vector<std::pair<const char*, const char*>>& xy) {
  std::vector<EaglePad> pads;
  for (const auto& [x, y] : xy) pads.push_back({std::to_string(pads.size() + 1), x, y});
  return pads;
}

}  // namespace tessan::testing
