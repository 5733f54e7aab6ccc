#include "report/svg_pads.hpp"

#include <algorithm>
#include <cmath>

#include "report/html_text.hpp"

namespace tessan::report {

namespace {

constexpr double kMinLabelPx = 7;   // smallest label font on screen worth drawing
constexpr double kMaxLabelPx = 20;  // largest, so that a big pad does not shout

std::string attr(std::string_view name, double value) {
  return " " + std::string(name) + "=\"" + svg_number(value) + "\"";
}

double finite_or_zero(double value) {
  return std::isfinite(value) ? value : 0;
}

// The pad with every measure finite and every extent non-negative, so that the drawing stays
// valid SVG whatever a library holds.
PadGeometry drawable(PadGeometry pad) {
  pad.x = finite_or_zero(pad.x);
  pad.y = finite_or_zero(pad.y);
  pad.w = std::abs(finite_or_zero(pad.w));
  pad.h = std::abs(finite_or_zero(pad.h));
  pad.drill = std::abs(finite_or_zero(pad.drill));
  return pad;
}

// The pad's outline element, without its closing part.
std::string shape_open(const PadGeometry& pad, const std::string& classes) {
  const double small = std::min(pad.w, pad.h);
  if (pad.shape == PadShape::Circle) {
    return "<circle class=\"" + classes + "\"" + attr("cx", pad.x) + attr("cy", -pad.y) +
           attr("r", small / 2) + ">";
  }
  double radius = 0;
  if (pad.shape == PadShape::Rounded) radius = small * 0.25;
  if (pad.shape == PadShape::Oval) radius = small / 2;
  std::string out = "<rect class=\"" + classes + "\"" + attr("x", pad.x - pad.w / 2) +
                    attr("y", -pad.y - pad.h / 2) + attr("width", pad.w) + attr("height", pad.h);
  if (radius > 0) out += attr("rx", radius);
  return out + ">";
}

std::string shape_close(const PadGeometry& pad) {
  return pad.shape == PadShape::Circle ? "</circle>" : "</rect>";
}

std::string tooltip(const FootprintGeometry& footprint, const std::string& label,
                    const PadGeometry& pad, PadRole role, bool conflict) {
  std::string text;
  if (is_light_role(role)) text += std::string(role_text(role)) + ": ";
  text += footprint.source->name + " pad \u201c" + label + "\u201d, " + svg_number(pad.w) +
          " \u00d7 " + svg_number(pad.h) + " mm";
  if (pad.drill > 0) text += ", drill " + svg_number(pad.drill) + " mm";
  if (conflict) text += " \u2014 in conflict";
  return "<title>" + html_text(text) + "</title>";
}

// The font size in millimetres at which `label` fits into `pad`, or 0 when it would be too small
// to read.
double label_size(const std::string& label, const PadGeometry& pad, const Canvas& canvas) {
  if (label.empty()) return 0;
  const double chars = static_cast<double>(label.size());
  const double size = std::min(
      {std::min(pad.w, pad.h) * 0.6, pad.w * 0.9 / (0.62 * chars), kMaxLabelPx / canvas.px_per_mm});
  return size * canvas.px_per_mm < kMinLabelPx ? 0 : size;
}

struct PlacedLabel {
  std::string text;
  PadGeometry pad;
};

// Whether a label written earlier carries `text` on a pad that covers the centre of `pad`.
bool already_written(const std::vector<PlacedLabel>& placed, const std::string& text,
                     const PadGeometry& pad, std::size_t& index) {
  for (index = 0; index < placed.size(); ++index) {
    const PadGeometry& other = placed[index].pad;
    if (placed[index].text == text && std::abs(other.x - pad.x) <= other.w / 2 &&
        std::abs(other.y - pad.y) <= other.h / 2) {
      return true;
    }
  }
  return false;
}

std::string label_element(const PlacedLabel& label, double size, bool shared) {
  return std::string("<text class=\"label") + (shared ? " shared" : "") + "\"" +
         attr("x", label.pad.x) + attr("y", -label.pad.y) + attr("font-size", size) + ">" +
         html_text(label.text) + "</text>\n";
}

// A round length near a fifth of `span`: 1, 2 or 5 times a power of ten.
double round_length(double span) {
  const double target = span / 5;
  const double power = std::pow(10.0, std::floor(std::log10(target)));
  for (const double step : {5.0, 2.0, 1.0}) {
    if (step * power <= target) return step * power;
  }
  return power;
}

}  // namespace

std::string_view role_text(PadRole role) {
  switch (role) {
    case PadRole::Ring:
      return "pad";
    case PadRole::Mount:
      return "mounting pad";
    case PadRole::Ep:
      return "exposed pad";
    case PadRole::Via:
      return "via";
    case PadRole::Paste:
      return "paste";
    case PadRole::Hole:
      return "hole";
    case PadRole::Bottom:
      return "bottom pad";
  }
  return "pad";
}

bool is_light_role(PadRole role) {
  return role == PadRole::Via || role == PadRole::Paste || role == PadRole::Hole ||
         role == PadRole::Mount;
}

Frame frame_of(const GeometryAnalysis& geometry) {
  bool any = false;
  Frame f{0, 0, 0, 0};
  for (const FootprintGeometry& footprint : geometry.footprints) {
    for (const PadGeometry& pad : footprint.aligned) {
      if (!std::isfinite(pad.x) || !std::isfinite(pad.y) || !std::isfinite(pad.w) ||
          !std::isfinite(pad.h)) {
        continue;
      }
      const double half_w = std::abs(pad.w) / 2, half_h = std::abs(pad.h) / 2;
      f = any ? Frame{std::min(f.min_x, pad.x - half_w), std::min(f.min_y, pad.y - half_h),
                      std::max(f.max_x, pad.x + half_w), std::max(f.max_y, pad.y + half_h)}
              : Frame{pad.x - half_w, pad.y - half_h, pad.x + half_w, pad.y + half_h};
      any = true;
    }
  }
  if (!any) return Frame{};
  const double margin = std::max(0.5, 0.08 * std::max(f.width(), f.height()));
  return Frame{f.min_x - margin, f.min_y - margin, f.max_x + margin, f.max_y + margin};
}

Canvas fit_canvas(const Frame& frame, double max_width, double max_height) {
  const double w = std::max(frame.width(), 1e-3), h = std::max(frame.height(), 1e-3);
  return Canvas{frame, std::min(max_width / w, max_height / h)};
}

std::string view_box(const Canvas& canvas, double extra_px) {
  const Frame& f = canvas.frame;
  return svg_number(f.min_x) + " " + svg_number(-f.max_y) + " " + svg_number(f.width()) + " " +
         svg_number(f.height() + extra_px / canvas.px_per_mm);
}

std::string pad_shapes(const FootprintGeometry& footprint) {
  std::string shapes;
  const auto& names = footprint.source->pads;
  for (std::size_t i = 0; i < footprint.aligned.size(); ++i) {
    const PadGeometry pad = drawable(footprint.aligned[i]);
    const PadRole role = i < footprint.roles.size() ? footprint.roles[i] : PadRole::Ring;
    const bool conflict = i < footprint.in_conflict.size() && footprint.in_conflict[i];
    const std::string label = i < names.size() ? names[i] : std::string();
    std::string classes = "pad";
    if (is_light_role(role)) classes += " light";
    if (conflict) classes += " conflict";
    shapes += shape_open(pad, classes) + tooltip(footprint, label, pad, role, conflict) +
              shape_close(pad) + "\n";
    if (pad.drill > 0) {
      shapes += "<circle class=\"drill\"" + attr("cx", pad.x) + attr("cy", -pad.y) +
                attr("r", pad.drill / 2) + "/>\n";
    }
  }
  return shapes;
}

std::vector<std::string> pad_labels(const GeometryAnalysis& geometry, const Canvas& canvas) {
  struct Written {
    std::size_t footprint;
    double size;
    bool shared;
  };
  std::vector<PlacedLabel> placed;
  std::vector<Written> written;
  for (std::size_t f = 0; f < geometry.footprints.size(); ++f) {
    const FootprintGeometry& footprint = geometry.footprints[f];
    const auto& names = footprint.source->pads;
    for (std::size_t i = 0; i < footprint.aligned.size() && i < names.size(); ++i) {
      const PadGeometry pad = drawable(footprint.aligned[i]);
      const bool light = i < footprint.roles.size() && is_light_role(footprint.roles[i]);
      const double size = light ? 0 : label_size(names[i], pad, canvas);
      if (size == 0) continue;
      std::size_t earlier = 0;
      if (already_written(placed, names[i], pad, earlier)) {
        written[earlier].shared = written[earlier].footprint != f || written[earlier].shared;
        continue;
      }
      placed.push_back({names[i], pad});
      written.push_back({f, size, false});
    }
  }
  std::vector<std::string> labels(geometry.footprints.size());
  for (std::size_t k = 0; k < placed.size(); ++k) {
    labels[written[k].footprint] += label_element(placed[k], written[k].size, written[k].shared);
  }
  return labels;
}

std::string scale_bar(const Canvas& canvas, double extra_px) {
  const Frame& f = canvas.frame;
  const double length = round_length(f.width());
  const double px = 1 / canvas.px_per_mm;  // one screen pixel in millimetres
  const double x0 = f.min_x + 10 * px;
  const double y = -f.min_y + extra_px * 0.45 * px;
  const double tick = 5 * px;
  std::string out = "<g class=\"scale-bar\">";
  out += "<path d=\"M" + svg_number(x0) + " " + svg_number(y - tick) + "V" + svg_number(y) + "H" +
         svg_number(x0 + length) + "V" + svg_number(y - tick) + "\"/>";
  out += "<text" + attr("x", x0 + length + 6 * px) + attr("y", y) + attr("font-size", 12 * px) +
         ">" + svg_number(length) + " mm</text></g>\n";
  return out;
}

}  // namespace tessan::report
