// A reader's outcome as one line of text, so that it can cross from a child process and be
// compared whole.
#pragma once

#include <string>

#include "compare/source_data.hpp"
#include "tessan_error.hpp"

namespace tessan::hostile {

// "error: <outermost message>", or "pins=N pads=M package=<name>" ("package=none" when absent).
std::string describe(const Result<SourceData>& outcome);

}  // namespace tessan::hostile
