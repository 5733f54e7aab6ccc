// The counts an EAGLE library may reach: a package's pads and the chosen device's pins fail the
// read as soon as they pass their limits.
#include <gtest/gtest.h>

#include <string>

#include "eagle_library_text.hpp"
#include "parsers/eagle_library.hpp"

namespace tessan {
namespace {

using testing::EagleLibraryText;
using testing::pads_at;

std::string outcome(const std::string& text) {
  const auto library = read_eagle_library(text, EagleReadLimits{1 << 20, 3, 3});
  if (!library) return library.error().chain();
  return std::to_string(library->pins.size()) + " pins";
}

TEST(EagleLimits, CountsPassingTheirLimitsFailTheRead) {
  struct Case {
    const char* what;
    EagleLibraryText library;
    const char* outcome;
  };
  const Case cases[] = {
      {"three pads", EagleLibraryText().package("A", pads_at({{"0", "0"}, {"1", "0"}, {"2", "0"}})),
       "0 pins"},
      {"four pads in one package",
       EagleLibraryText().package("A", pads_at({{"0", "0"}, {"1", "0"}, {"2", "0"}, {"3", "0"}})),
       "too many pads"},
      {"four pads in two packages",
       EagleLibraryText()
           .package("A", pads_at({{"0", "0"}, {"1", "0"}}))
           .package("B", pads_at({{"0", "0"}, {"1", "0"}})),
       "0 pins"},
      {"three distinct pins among repeats",
       EagleLibraryText().device("A", {{"X", "1 2"}, {"X", "1"}, {"Y", "3"}, {"X", "2"}}),
       "3 pins"},
      {"four pins in one connect", EagleLibraryText().device("A", {{"X", "1 2 3 4"}}),
       "too many pins"},
      {"pins of other devices are forgotten",
       EagleLibraryText()
           .device(std::nullopt, {{"X", "1 2 3"}})
           .device("A", {{"Y", "1 2 3"}})
           .device("B", {{"Z", "4 5 6"}}),
       "3 pins"},
  };
  for (const auto& c : cases) EXPECT_EQ(outcome(c.library.text()), c.outcome) << c.what;
}

// The read stops where the count passes: what follows is never parsed.
TEST(EagleLimits, NothingAfterThePassingCountIsRead) {
  const std::string pads = "<smd name=\"1\"/><smd name=\"2\"/><smd name=\"3\"/>";
  EXPECT_EQ(outcome("<eagle><package name=\"A\">" + pads + "<pad name=\"4\"/> <broken"),
            "too many pads");
  EXPECT_EQ(outcome("<eagle><device><connect pin=\"X\" pad=\"1 2 3 4\"/>&undefined;"),
            "too many pins");
  EXPECT_EQ(outcome("<eagle><package name=\"A\">" + pads + "</package> <broken")
                .rfind("parsing EAGLE XML: line 1, column ", 0),
            0u);
}

}  // namespace
}  // namespace tessan
