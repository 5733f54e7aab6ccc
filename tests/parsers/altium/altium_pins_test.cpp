// Component pins in the normalized form: overbars as active-low marks, stubs, pins without
// numbers.
#include <gtest/gtest.h>

#include "parsers/altium/altium_pins.hpp"

namespace {

altium::SchPin sch_pin(std::string name, std::string number) {
  altium::SchPin pin;
  pin.name = std::move(name);
  pin.number = std::move(number);
  return pin;
}

TEST(AltiumPins, BarredLettersBecomeActiveLowAndStubsAreRecognised) {
  altium::Component component;
  component.pins = {sch_pin("R\\E\\S\\E\\T\\", "4"),
                    sch_pin("4", "4"),
                    sch_pin("", "4"),
                    sch_pin("\\\\", "5"),
                    sch_pin("4\\", "4"),
                    sch_pin("NONUMBER", ""),
                    sch_pin("E\\X\\T\\_\\R\\S\\T\\B\\\\", "32"),
                    sch_pin("W\\P\\ (IO2)", "3"),
                    sch_pin("a1", "A1")};
  EXPECT_EQ(tessan::pins_from_component(component),
            (std::vector<tessan::Pin>{{"4", "~{RESET}", false},
                                      {"4", "4", true},
                                      {"4", "", true},
                                      {"5", "", true},
                                      {"4", "~{4}", false},
                                      {"32", "~{EXT_RSTB}", false},
                                      {"3", "~{WP} (IO2)", false},
                                      {"A1", "a1", false}}));
}

TEST(AltiumPins, OverbarsBarOnlyTheMarkedCharacters) {
  struct Case {
    std::string spelt;
    std::string name;
  };
  const std::vector<Case> cases = {
      {"R\\S\\T\\", "~{RST}"},       {"S\\U\\S\\P\\E\\N\\D\\", "~{SUSPEND}"},
      {"SUSPEND", "SUSPEND"},        {"C\\S\\/A0", "~{CS}/A0"},
      {"RD/W\\R\\", "RD/~{WR}"},     {"\\A", "A"},
      {"\xC3\xA9\\", "~{\xC3\xA9}"},
  };
  for (const Case& c : cases) EXPECT_EQ(tessan::altium_overbar_name(c.spelt), c.name) << c.spelt;
}

TEST(AltiumPins, NumbersAndNamesAreTrimmedAndLoseAtSuffixes) {
  altium::Component component;
  component.pins = {sch_pin(" GND@2 ", " 9 "), sch_pin("V\\C\\C\\@A", "1")};
  EXPECT_EQ(tessan::pins_from_component(component),
            (std::vector<tessan::Pin>{{"9", "GND", false}, {"1", "~{VCC}", false}}));
}

}  // namespace
