// Bounds on what one axis tells: at most 100 conflict lines, and no text longer than a
// kilobyte, so that the result document of any input stays small.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "result_doc.hpp"

namespace tessan {

// The most conflict lines of one axis; past it, the last line says how many were left out.
inline constexpr std::size_t kMaxConflictLines = 100;
// The longest value or conflict text, in bytes; real ones are a few dozen.
inline constexpr std::size_t kMaxDisplayTextBytes = 1024;

// `text` cut at a character boundary to at most kMaxDisplayTextBytes, ending in "…" when cut.
void clip_display_text(std::string& text);

// The conflict lines of one axis as they are found. Lines past the bound are only counted, and
// never built.
class ConflictList {
 public:
  // Appends the line `make_line()` returns, clipped, or counts it past the bound.
  template <class MakeLine>
  void add(MakeLine&& make_line) {
    ++found_;
    if (lines_.size() == kMaxConflictLines) return;
    lines_.push_back(make_line());
    clip_display_text(lines_.back());
  }

  // The lines; when more were found than the bound, the last is "… and {k} more", k being the
  // number left out.
  std::vector<std::string> take() &&;

 private:
  std::vector<std::string> lines_;
  std::size_t found_ = 0;
};

// Holds an outcome to the bounds: its conflict lines as a ConflictList would keep them, and
// every value and line clipped.
void bound_outcome_texts(AxisOutcome& outcome);

}  // namespace tessan
