#include "parsers/kicad/kicad_footprint.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kicad_text.hpp"
#include "parsers/kicad/tokenize_sexpr.hpp"

namespace tessan {
namespace {

using testing::kicad_footprint;
using testing::kicad_pad;

KicadFootprint footprint_of(std::string text) {
  return extract_kicad_footprint(tokenize_sexpr(std::move(text)).tokens());
}

TEST(KicadFootprintTest, EveryPadListCountsWithItsLabelAsWritten) {
  std::vector<std::string> pads;
  for (int i = 1; i <= 8; ++i) pads.push_back(kicad_pad(std::to_string(i)));
  pads.push_back(kicad_pad("\"\"", "np_thru_hole"));
  for (int i = 0; i < 4; ++i) pads.push_back(kicad_pad("\"9\""));
  pads.push_back(kicad_pad("\"A1\"", "thru_hole"));
  pads.push_back(kicad_pad("EP", "connect"));
  const auto footprint = footprint_of(kicad_footprint("\"SOIC-8\"", pads));
  EXPECT_EQ(footprint.name, "SOIC-8");
  EXPECT_EQ(footprint.pads, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "",
                                                      "9", "9", "9", "9", "A1", "EP"}));
}

TEST(KicadFootprintTest, FootprintName) {
  struct Case {
    const char* what;
    std::string text;
    std::optional<std::string> name;
  };
  const std::vector<Case> cases = {
      {"quoted", kicad_footprint("\"SOIC-8\"", {}), "SOIC-8"},
      {"bare word", kicad_footprint("QFP50P900X900X160-48N", {}), "QFP50P900X900X160-48N"},
      {"older module, bare", kicad_footprint("Pico2040-QFN-56", {}, "module"), "Pico2040-QFN-56"},
      {"older module, quoted", kicad_footprint("\"SOT-23\"", {}, "module"), "SOT-23"},
      {"first of footprint and module", "(module \"M\") (footprint \"F\")", "M"},
      {"first one stays", "(footprint \"A\" (footprint \"B\"))", "A"},
      {"keyword must be bare", "(\"footprint\" \"A\")", std::nullopt},
      {"name must follow the keyword", "(footprint (layer \"F.Cu\"))", std::nullopt},
      {"truncated", "(footprint", std::nullopt},
      {"none", "(kicad_pcb (pad 1 smd))", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(footprint_of(c.text).name, c.name) << c.what;
}

TEST(KicadFootprintTest, PadPatternsAreFoundAnywhere) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> pads;
  };
  const std::vector<Case> cases = {
      {"pad inside a pad is visited too", "(pad 1 smd (pad 2 smd))", {"1", "2"}},
      {"pad list without a label", "(pad) (pad (at 0 0)) (pad 3", {"3"}},
      {"keyword prefix does not match", "(pads 1) (pad_to_mask_clearance 0.05)", {}},
      {"footprint name and pad share no token", "(footprint pad) (pad footprint)", {"footprint"}},
  };
  for (const auto& c : cases) EXPECT_EQ(footprint_of(c.text).pads, c.pads) << c.what;
}

TEST(KicadFootprintTest, MillionsOfParenthesesAreWalkedFlat) {
  const auto footprint = footprint_of("(footprint \"F\"" + std::string(1'000'000, '(') + "pad 1");
  EXPECT_EQ(footprint.name, "F");
  EXPECT_EQ(footprint.pads, std::vector<std::string>{"1"});
}

}  // namespace
}  // namespace tessan
