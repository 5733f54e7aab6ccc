// Footprint variants: conversion, dropping failed entries, marker words and the choice.
#include <gtest/gtest.h>

#include <limits>

#include "parsers/altium/footprint_variant.hpp"

namespace {

using tessan::FootprintVariant;

FootprintVariant variant(std::optional<std::string> name, std::size_t pads,
                         std::optional<std::string> error = std::nullopt) {
  FootprintVariant v;
  v.module_name = std::move(name);
  for (std::size_t i = 1; i <= pads; ++i) v.pads.push_back(std::to_string(i));
  v.parse_error = std::move(error);
  return v;
}

struct ChoiceCase {
  std::vector<FootprintVariant> variants;
  std::optional<std::uint32_t> consensus;
  std::optional<std::size_t> expected;
};

TEST(VariantChoice, NearestPadCountThenNoMarkerWordThenFirst) {
  const ChoiceCase cases[] = {
      {{variant("A", 10), variant("B", 9), variant("C", 8)}, 9, 1},
      {{variant("SOIC8_TEST", 8), variant("SOIC8", 8)}, 8, 1},
      {{variant("SOIC8", 8), variant("SOIC8_TEST", 8)}, 8, 0},
      {{variant("soic8_test", 8), variant("soic8", 8)}, 8, 1},
      {{variant("QFN16_N", 17), variant("QFN16_MFG", 16)}, 16, 1},  // 100 against 1000
      {{variant("SOIC8_TEST", 10), variant("SOIC8", 8)}, std::nullopt, 0},
      {{variant("A", 7), variant("B", 9)}, 8, 0},
      {{variant("X_DEBUG", 4), variant(std::nullopt, 4)}, 4, 1},
      {{variant("A_TEST", 4), variant("B_DEBUG", 4)}, 4, 0},
      {{variant("A", 2), variant("B", 3)}, std::numeric_limits<std::uint32_t>::max(), 1},
      {{}, 8, std::nullopt},
      {{}, std::nullopt, std::nullopt}};
  for (const auto& c : cases) {
    EXPECT_EQ(tessan::choose_variant(c.variants, c.consensus), c.expected)
        << c.variants.size() << " variants, consensus " << c.consensus.value_or(0);
  }
}

TEST(MarkerWords, AreFoundAfterFullUnicodeUpperCasing) {
  for (const char* name : {"SOIC8-MFG", "soic8_mfg", "Debug_Pad", "FIDUCIAL_1MM", "TestPoint",
                           "\uFB01ducial",  // the "fi" ligature upper-cases to "FI"
                           "te\u017Ft"}) {  // the long s upper-cases to "S"
    EXPECT_TRUE(tessan::has_marker_word(name)) << name;
  }
  for (const char* name : {"SOIC8", "MFG", "QFN16 MFG", "TES T", "", "DE-BUG"}) {
    EXPECT_FALSE(tessan::has_marker_word(name)) << name;
  }
}

TEST(FootprintVariants, TakeLabelsNameAndErrorAndDropOnlyFailedEntriesWithoutPads) {
  altium::FootprintEntry footprint;
  footprint.module_name = "SOT23";
  footprint.pads.resize(3);
  footprint.pads[0].number = "1";
  footprint.pads[2].number = "?";
  altium::FootprintEntry failed;
  failed.module_name = "QFN";
  failed.parse_error = "stream too short (2 bytes)";
  auto variants = tessan::footprint_variants(std::vector{footprint, failed});
  ASSERT_EQ(variants.size(), 2u);
  EXPECT_EQ(variants[0],
            (FootprintVariant{
                {"1", "", "?"}, "SOT23", std::nullopt, std::vector<tessan::PadGeometry>(3)}));
  EXPECT_EQ(variants[1], (FootprintVariant{{}, "QFN", "stream too short (2 bytes)", {}}));

  variants = {variant("A", 0, "stream too short (1 bytes)"), variant("B", 0),
              variant("C", 2, "odd")};
  tessan::drop_unparsed_variants(variants);
  ASSERT_EQ(variants.size(), 2u);
  EXPECT_EQ(variants[0].module_name, "B");
  EXPECT_EQ(variants[1].module_name, "C");
}

}  // namespace
