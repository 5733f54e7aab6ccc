// The counts an EAGLE library may reach: a package's pads and the chosen device's pins fail the
// read as soon as they pass their limits.
#include <gtest/gtest.h>

#include <string>

#include "eagle_library_text.hpp"
#include "parsers/eagle_library.hpp"
#include "parsers/eagle_xml_document.hpp"

namespace tessan {
namespace {

using testing::EagleLibraryText;
using testing::pads_at;

std::string outcome(const std::string& text) {
  auto document = parse_xml_document(text);
  if (!document) return "not XML";
  const auto library = collect_eagle_library(**document, EagleReadLimits{1 << 20, 3, 3});
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

}  // namespace
}  // namespace tessan
