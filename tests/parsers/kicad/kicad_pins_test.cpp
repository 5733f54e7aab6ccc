#include "parsers/kicad/kicad_pins.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kicad_text.hpp"
#include "parsers/kicad/tokenize_sexpr.hpp"

namespace tessan {
namespace {

using testing::kicad_pin;
using testing::kicad_symbol;
using testing::kicad_symbol_library;

std::vector<Pin> pins_of(std::string text) {
  return extract_kicad_pins(tokenize_sexpr(std::move(text)).tokens());
}

TEST(KicadPinsTest, ReadsAPinAsKicadWritesIt) {
  EXPECT_EQ(pins_of("(pin power_in line (at 0 0 0) (length 2.54) (name \"VDD\" (effects (font "
                    "(size 1.27 1.27)))) (number \"1\" (effects (font (size 1.27 1.27)))))"),
            (std::vector<Pin>{{"1", "VDD", false}}));
}

TEST(KicadPinsTest, PinListCases) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<Pin> pins;
  };
  const std::vector<Case> cases = {
      {"name repeats number", kicad_pin("3", "3"), {{"3", "3", true}}},
      {"no name list", kicad_pin("5", nullptr), {{"5", "", true}}},
      {"no number list", kicad_pin(nullptr, "VDD"), {}},
      {"bare-word number", "(pin input line (name \"A\") (number 1))", {}},
      {"bare-word name", "(pin input line (name A) (number \"1\"))", {{"1", "", true}}},
      {"tilde is the empty name", kicad_pin("7", "~"), {{"7", "", true}}},
      {"white space trimmed", kicad_pin(" 4 ", " GND@1 "), {{"4", "GND", false}}},
      {"first name and number at any depth",
       "(pin x (alternate \"ALT\" (name \"DEEP\")) (q (number \"9\")) (name \"B\") (number \"2\"))",
       {{"9", "DEEP", false}}},
      {"keyword prefixes do not match",
       "(pin_names (name \"N\") (number \"1\")) (pins (number \"2\"))",
       {}},
      {"pin keyword must be bare", "(\"pin\" (name \"N\") (number \"1\"))", {}},
      {"case-sensitive keywords",
       "(PIN (name \"N\") (number \"1\")) (pin (Name \"N\") (number \"2\"))",
       {{"2", "", true}}},
      {"walk resumes after the list",
       kicad_pin("1", "A") + "(number \"X\")" + kicad_pin("2", "B"),
       {{"1", "A"}, {"2", "B"}}},
      {"pin list inside a pin list is part of it",
       "(pin (pin (name \"IN\") (number \"8\")) (number \"1\"))",
       {{"8", "IN"}}},
      {"nested opening before pin", "((pin (number \"1\")))", {{"1", "", true}}},
      {"truncated after the number", "(pin (name \"A\") (number \"1\"", {{"1", "A"}}},
      {"truncated inside the number", "(pin (name \"A\") (number", {}},
      {"stray closers", ")) " + kicad_pin("1", "A") + " ))", {{"1", "A"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(pins_of(c.text), c.pins) << c.what;
}

TEST(KicadPinsTest, EveryUnitAndSymbolContributesInFileOrder) {
  const std::string library = kicad_symbol_library({
      kicad_symbol("DUAL", {{kicad_pin("1", "A"), kicad_pin("5", "V+")},
                            {kicad_pin("2", "B"), kicad_pin("5", "V+")}}),
      kicad_symbol("OTHER", {{kicad_pin("1", "X")}}),
  });
  EXPECT_EQ(pins_of(library),
            (std::vector<Pin>{{"1", "A"}, {"5", "V+"}, {"2", "B"}, {"5", "V+"}, {"1", "X"}}));
}

TEST(KicadPinsTest, MillionsOfParenthesesAreWalkedFlat) {
  EXPECT_TRUE(pins_of(std::string(1'000'000, '(')).empty());
  std::string inside_a_pin = "(pin (number \"1\")" + std::string(1'000'000, '(');
  EXPECT_EQ(pins_of(inside_a_pin), (std::vector<Pin>{{"1", "", true}}));
  std::string many_pins;
  for (int i = 0; i < 100'000; ++i) many_pins += "(pin";
  EXPECT_TRUE(pins_of(many_pins).empty());
}

}  // namespace
}  // namespace tessan
