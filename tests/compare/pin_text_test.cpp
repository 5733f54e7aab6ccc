// The cleaning that every reader gives pin numbers, pin names and pad labels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/pin_text.hpp"

namespace tessan {
namespace {

struct PinTextCase {
  std::string number;
  std::string name;
  Pin pin;
};

TEST(PinText, MakePinTrimsAndDropsAtSuffixes) {
  const std::vector<PinTextCase> cases = {
      {" 4 ", " GND ", {"4", "GND", false}},
      {"9", "GND@1", {"9", "GND", false}},
      {"9", "GND@A", {"9", "GND", false}},
      {"3", "C@1@2", {"3", "C", false}},
      {"5", "A@", {"5", "A@", false}},
      {"6", "A@-1", {"6", "A@-1", false}},
      {"7", "@7", {"7", "", true}},
      {"\t8\n", " 8@2 ", {"8", "8", true}},
      {"", "  ", {"", "", true}},
  };
  for (const PinTextCase& c : cases) {
    EXPECT_EQ(make_pin(c.number, c.name), c.pin) << "'" << c.number << "' '" << c.name << "'";
  }
}

TEST(PinText, TrimSpaceLeavesInnerSpace) {
  EXPECT_EQ(trim_space(" \t WP (IO2) \r\n"), "WP (IO2)");
  EXPECT_EQ(trim_space(" \v\f"), "");
}

}  // namespace
}  // namespace tessan
