// A page opened in headless Chromium, from disk, with a fresh profile and no network services:
// its screenshot, its document as the browser built it, and what it wrote to the console.
#pragma once

#include <filesystem>
#include <string>

namespace tessan::testing {

struct Rendering {
  bool finished = false;    // both runs ended in time with status 0
  std::string dom;          // --dump-dom
  std::string console;      // the console lines of the run, one per message
  std::string diagnostics;  // the browser's own stderr, for failure messages
};

// Whether `chromium` is on the PATH.
bool have_browser();

// Renders `page`, writing its screenshot (1280 pixels wide, `height` high) to `screenshot`.
// Each browser run is bounded in time.
Rendering render_page(const std::filesystem::path& page, const std::filesystem::path& screenshot,
                      int height = 2000);

}  // namespace tessan::testing
