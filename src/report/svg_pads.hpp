// Pads drawn as SVG in the aligned frame of the geometry analysis: millimetres, y up in the
// model and flipped for SVG, whose y points down.
#pragma once

#include <string>
#include <vector>

#include "compare/geometry/geometry_analysis.hpp"

namespace tessan::report {

// The part of the model plane a drawing shows, in millimetres, y up.
struct Frame {
  double min_x = -5;
  double min_y = -5;
  double max_x = 5;
  double max_y = 5;

  double width() const { return max_x - min_x; }
  double height() const { return max_y - min_y; }
};

// Every aligned pad of every footprint with a margin around; a 10 mm square with none.
Frame frame_of(const GeometryAnalysis& geometry);

// The SVG size of a frame: `px_per_mm` so that it fits `max_width` × `max_height` pixels.
struct Canvas {
  Frame frame;
  double px_per_mm = 1;
  double width_px() const { return frame.width() * px_per_mm; }
  double height_px() const { return frame.height() * px_per_mm; }
};
Canvas fit_canvas(const Frame& frame, double max_width, double max_height);

// The viewBox attribute value of `frame`, with `extra_px` more below (for a scale bar).
std::string view_box(const Canvas& canvas, double extra_px = 0);

// One shape per pad (class "pad"), a hole where the pad is drilled and a <title> per pad.
std::string pad_shapes(const FootprintGeometry& footprint);

// Per footprint, the numbers of its pads that are large enough on the canvas to hold them.
// A number that an earlier footprint writes on a pad at the same place is written once, by
// that footprint, as shared (in the page's ink rather than the source's colour).
std::vector<std::string> pad_labels(const GeometryAnalysis& geometry, const Canvas& canvas);

// A bar of a round number of millimetres below the frame, in the `extra_px` space.
std::string scale_bar(const Canvas& canvas, double extra_px);

// How a pad's role is named in its tooltip and whether it is drawn lighter.
std::string_view role_text(PadRole role);
bool is_light_role(PadRole role);

}  // namespace tessan::report
