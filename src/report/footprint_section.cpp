#include "report/footprint_section.hpp"

#include <cmath>

#include "report/html_text.hpp"
#include "report/source_colours.hpp"
#include "report/svg_pads.hpp"

namespace tessan::report {

namespace {

constexpr double kOverlayWidth = 560;
constexpr double kOverlayHeight = 460;
constexpr double kScaleBarPx = 30;
constexpr double kSingleSize = 150;

const char* const kSvgOpen = "<svg xmlns=\"http://www.w3.org/2000/svg\"";

std::string px(double value) {
  return svg_number(std::round(value));
}

const FootprintGeometry* footprint_of(const GeometryAnalysis& geometry, const SourceData& record) {
  for (const FootprintGeometry& footprint : geometry.footprints) {
    if (footprint.source == &record) return &footprint;
  }
  return nullptr;
}

std::string colour_of(const GeometryAnalysis& geometry, std::size_t index) {
  return std::string(source_colour(geometry.footprints[index].source->name, index));
}

std::string source_group(const GeometryAnalysis& geometry, std::size_t index,
                         const std::string& labels) {
  const FootprintGeometry& footprint = geometry.footprints[index];
  return "<g class=\"src src-" + std::to_string(index) + "\" data-source=\"" +
         html_text(footprint.source->name) + "\" style=\"--c:" + colour_of(geometry, index) +
         "\">\n" + pad_shapes(footprint) + labels + "</g>\n";
}

std::string overlay(const GeometryAnalysis& geometry, const Canvas& canvas) {
  std::string out = std::string(kSvgOpen) + " class=\"overlay\" role=\"img\" aria-label=\"" +
                    "Footprints overlaid\" width=\"" + px(canvas.width_px()) + "\" height=\"" +
                    px(canvas.height_px() + kScaleBarPx) + "\" viewBox=\"" +
                    view_box(canvas, kScaleBarPx) + "\">\n";
  const std::vector<std::string> labels = pad_labels(geometry, canvas);
  for (std::size_t i = 0; i < geometry.footprints.size(); ++i) {
    out += source_group(geometry, i, labels[i]);
  }
  if (geometry.footprints.empty()) {
    out +=
        "<text class=\"empty\" x=\"0\" y=\"0\" font-size=\"0.6\">no source carries pad "
        "geometry</text>\n";
  }
  return out + scale_bar(canvas, kScaleBarPx) + "</svg>\n";
}

std::string toggles(const GeometryAnalysis& geometry) {
  std::string out;
  for (std::size_t i = 0; i < geometry.footprints.size(); ++i) {
    out += "<input type=\"checkbox\" class=\"toggle\" id=\"fp-show-" + std::to_string(i) +
           "\" checked aria-label=\"show " + html_text(geometry.footprints[i].source->name) +
           "\">\n";
  }
  return out;
}

std::string footprint_note(const FootprintGeometry& footprint) {
  std::string note = std::to_string(footprint.aligned.size()) + " pads";
  if (footprint.pitch > 0) note += ", pitch " + svg_number(footprint.pitch) + " mm";
  if (!footprint.usable) note += ", not used by the geometry rules";
  return note;
}

std::string legend_entry(const GeometryAnalysis& geometry, const SourceData& record) {
  const FootprintGeometry* footprint = footprint_of(geometry, record);
  const std::string name = html_text(record.name);
  if (footprint == nullptr) {
    return "<li class=\"no-geometry\"><span class=\"swatch\"></span>" + name +
           " <span class=\"note\">no geometry</span></li>\n";
  }
  const auto index = static_cast<std::size_t>(footprint - geometry.footprints.data());
  return "<li><label for=\"fp-show-" + std::to_string(index) +
         "\"><span class=\"swatch\" style=\"--c:" + colour_of(geometry, index) + "\"></span>" +
         name + "</label> <span class=\"note\">" + html_text(footprint_note(*footprint)) +
         "</span></li>\n";
}

std::string legend(const std::vector<SourceData>& records, const GeometryAnalysis& geometry) {
  std::string out = "<ul class=\"legend\">\n";
  for (const SourceData& record : records) out += legend_entry(geometry, record);
  out +=
      "<li class=\"key\"><span class=\"swatch key-conflict\"></span>outlined: in a geometry or "
      "pad-number conflict</li>\n"
      "<li class=\"key\"><span class=\"swatch key-light\"></span>lighter: via, paste, hole or "
      "mounting pad (hover for its role)</li>\n"
      "<li class=\"key\">click a source to show or hide it</li>\n</ul>\n";
  return out;
}

std::string singles(const GeometryAnalysis& geometry, const Frame& frame) {
  if (geometry.footprints.empty()) return "";
  const Canvas canvas = fit_canvas(frame, kSingleSize, kSingleSize);
  std::string out = "<div class=\"fp-singles\">\n";
  for (std::size_t i = 0; i < geometry.footprints.size(); ++i) {
    out += "<figure class=\"fp-single\">" + std::string(kSvgOpen) + " class=\"single\" width=\"" +
           px(canvas.width_px()) + "\" height=\"" + px(canvas.height_px()) + "\" viewBox=\"" +
           view_box(canvas) + "\">\n" + source_group(geometry, i, "") + "</svg><figcaption>" +
           html_text(geometry.footprints[i].source->name) + "</figcaption></figure>\n";
  }
  return out + "</div>\n";
}

}  // namespace

std::string footprint_section(const std::vector<SourceData>& records,
                              const GeometryAnalysis& geometry) {
  const Frame frame = frame_of(geometry);
  const Canvas canvas = fit_canvas(frame, kOverlayWidth, kOverlayHeight);
  return "<section class=\"footprints\">\n<h2>Footprints overlaid</h2>\n" + toggles(geometry) +
         "<div class=\"fp-layout\">\n" + overlay(geometry, canvas) + "<div class=\"fp-side\">\n" +
         legend(records, geometry) + singles(geometry, frame) + "</div>\n</div>\n</section>\n";
}

}  // namespace tessan::report
