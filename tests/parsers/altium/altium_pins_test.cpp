// Component pins in the normalized form: overbar marks removed, stubs, pins without numbers.
#include <gtest/gtest.h>

#include "parsers/altium/altium_pins.hpp"

namespace {

struct PinCase {
  std::string name;
  std::string number;
  std::string expected_name;
  bool expected_stub;
};

class AltiumPins : public ::testing::TestWithParam<PinCase> {};

TEST_P(AltiumPins, NameIsCleanedAndStubsRecognised) {
  altium::Component component;
  component.pins.resize(1);
  component.pins[0].name = GetParam().name;
  component.pins[0].number = GetParam().number;
  const auto pins = tessan::pins_from_component(component);
  ASSERT_EQ(pins.size(), 1u);
  EXPECT_EQ(pins[0].number, GetParam().number);
  EXPECT_EQ(pins[0].name, GetParam().expected_name);
  EXPECT_EQ(pins[0].is_stub, GetParam().expected_stub);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AltiumPins,
    ::testing::Values(PinCase{"R\\E\\S\\E\\T\\", "4", "RESET", false}, PinCase{"4", "4", "4", true},
                      PinCase{"", "4", "", true}, PinCase{"\\\\", "4", "", true},
                      PinCase{"4\\", "4", "4", true},
                      PinCase{"E\\X\\T\\_\\R\\S\\T\\B\\\\", "32", "EXT_RSTB", false},
                      PinCase{"W\\P\\ (IO2)", "3", "WP (IO2)", false},
                      PinCase{"a1", "A1", "a1", false}, PinCase{"\u00B5", "1", "\u00B5", false}));

TEST(AltiumPins, PinsWithoutNumberAreLeftOutAndOrderIsKept) {
  altium::Component component;
  component.pins.resize(3);
  component.pins[0].number = "2";
  component.pins[0].name = "B";
  component.pins[1].name = "NONUMBER";
  component.pins[2].number = "1";
  component.pins[2].name = "A";
  const auto pins = tessan::pins_from_component(component);
  ASSERT_EQ(pins.size(), 2u);
  EXPECT_EQ(pins[0], (tessan::Pin{"2", "B", false}));
  EXPECT_EQ(pins[1], (tessan::Pin{"1", "A", false}));
}

}  // namespace
