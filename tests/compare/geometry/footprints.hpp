// Land patterns built in code for the geometry tests: numbered pads with positions and sizes,
// and the edits a library might make to them (turned, shifted, mirrored, renumbered).
#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "compare/source_data.hpp"

namespace tessan::testing {

struct LabelledPad {
  std::string label;
  PadGeometry pad;
};

using Footprint = std::vector<LabelledPad>;

inline PadGeometry smd(double x, double y, double w, double h) {
  PadGeometry pad;
  pad.x = x;
  pad.y = y;
  pad.w = w;
  pad.h = h;
  return pad;
}

inline PadGeometry hole(double x, double y, double size, double drill) {
  PadGeometry pad = smd(x, y, size, size);
  pad.kind = PadKind::PlatedHole;
  pad.drill = drill;
  pad.side = PadSide::Both;
  return pad;
}

// Two rows of n/2 pads, pin 1 top left, counter-clockwise seen from the top.
inline Footprint dual_row(int n, double pitch, double span, double pad_w, double pad_h,
                          bool through_hole = false, double drill = 0.8) {
  Footprint f;
  const int half = n / 2;
  const double top = (half - 1) * pitch / 2;
  for (int i = 0; i < n; ++i) {
    const bool left = i < half;
    const double x = left ? -span / 2 : span / 2;
    const double y = left ? top - i * pitch : -top + (i - half) * pitch;
    f.push_back(
        {std::to_string(i + 1), through_hole ? hole(x, y, pad_w, drill) : smd(x, y, pad_w, pad_h)});
  }
  return f;
}

inline Footprint soic(int n, double span = 5.4) {
  return dual_row(n, 1.27, span, 1.55, 0.6);
}
inline Footprint dip(int n) {
  return dual_row(n, 2.54, 7.62, 1.6, 1.6, true);
}

// Four rows of `per_side` pads around a square, pin 1 at the top of the left side,
// counter-clockwise; an exposed pad numbered past them when `ep` is above zero.
inline Footprint quad(int per_side, double pitch, double span, double ep = 0) {
  Footprint f;
  const double first = (per_side - 1) * pitch / 2;
  const double len = 0.8, wid = pitch * 0.55;
  for (int i = 0; i < 4 * per_side; ++i) {
    const int side = i / per_side, k = i % per_side;
    const double along = -first + k * pitch;
    PadGeometry pad;
    if (side == 0) pad = smd(-span / 2, -along, len, wid);
    if (side == 1) pad = smd(along, -span / 2, wid, len);
    if (side == 2) pad = smd(span / 2, along, len, wid);
    if (side == 3) pad = smd(-along, span / 2, wid, len);
    f.push_back({std::to_string(i + 1), pad});
  }
  if (ep > 0) f.push_back({std::to_string(4 * per_side + 1), smd(0, 0, ep, ep)});
  return f;
}

inline Footprint qfn(int per_side, double ep = 3.1) {
  return quad(per_side, 0.5, 4.9, ep);
}
inline Footprint tqfp(int per_side) {
  return quad(per_side, 0.8, 8.4);
}

// Balls in rows A, B, ... and columns 1, 2, ...
inline Footprint bga(int rows, int cols, double pitch) {
  Footprint f;
  const std::string letters = "ABCDEFGHJKLMNPRTUVWY";
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const double x = (c - (cols - 1) / 2.0) * pitch, y = ((rows - 1) / 2.0 - r) * pitch;
      f.push_back({letters[static_cast<std::size_t>(r) % letters.size()] + std::to_string(c + 1),
                   smd(x, y, pitch / 2, pitch / 2)});
    }
  }
  return f;
}

// ---- Edits ----

inline Footprint turned(Footprint f, int quarter_turns) {
  for (LabelledPad& p : f) {
    for (int k = 0; k < quarter_turns; ++k) {
      const double x = p.pad.x;
      p.pad.x = -p.pad.y;
      p.pad.y = x;
      std::swap(p.pad.w, p.pad.h);
    }
  }
  return f;
}

inline Footprint shifted(Footprint f, double dx, double dy) {
  for (LabelledPad& p : f) {
    p.pad.x += dx;
    p.pad.y += dy;
  }
  return f;
}

inline Footprint mirrored(Footprint f) {
  for (LabelledPad& p : f) p.pad.x = -p.pad.x;
  return f;
}

// Pads 1..n numbered the other way round, pin 1 kept: pad k becomes (n + 2 - k) mod n.
inline Footprint clockwise(Footprint f, int n) {
  for (LabelledPad& p : f) {
    const int k = std::stoi(p.label);
    if (k <= n) p.label = std::to_string(k == 1 ? 1 : n + 2 - k);
  }
  return f;
}

// Pads 1..n numbered one on: pad k becomes k mod n + 1.
inline Footprint renumbered_one_on(Footprint f, int n) {
  for (LabelledPad& p : f) {
    const int k = std::stoi(p.label);
    if (k <= n) p.label = std::to_string(k % n + 1);
  }
  return f;
}

// A four-sided footprint's labels moved on by one side: the footprint turned by 90 degrees.
inline Footprint renumbered_by_side(Footprint f) {
  const int n = static_cast<int>(f.size()) - 1, per_side = n / 4;
  for (LabelledPad& p : f) {
    const int k = std::stoi(p.label);
    if (k <= n) p.label = std::to_string((k - 1 + per_side) % n + 1);
  }
  return f;
}

inline Footprint with(Footprint f, const std::vector<LabelledPad>& more) {
  f.insert(f.end(), more.begin(), more.end());
  return f;
}

inline SourceData with_footprint(SourceData source, const Footprint& f) {
  source.pads.clear();
  std::vector<PadGeometry> pads;
  for (const LabelledPad& p : f) {
    source.pads.push_back(p.label);
    pads.push_back(p.pad);
  }
  source.pad_geometry = std::move(pads);
  return source;
}

}  // namespace tessan::testing
