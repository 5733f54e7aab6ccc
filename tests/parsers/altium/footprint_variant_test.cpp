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
  const char* label;
  std::vector<FootprintVariant> variants;
  std::optional<std::uint32_t> consensus;
  std::size_t expected;
};

class VariantChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(VariantChoice, PicksTheNearestPadCount) {
  EXPECT_EQ(tessan::choose_variant(GetParam().variants, GetParam().consensus), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VariantChoice,
    ::testing::Values(
        ChoiceCase{
            "nearest_not_primary", {variant("A", 10), variant("B", 9), variant("C", 8)}, 9, 1},
        ChoiceCase{"marker_loses_at_equal_distance_first",
                   {variant("SOIC8_TEST", 8), variant("SOIC8", 8)},
                   8,
                   1},
        ChoiceCase{"marker_loses_at_equal_distance_second",
                   {variant("SOIC8", 8), variant("SOIC8_TEST", 8)},
                   8,
                   0},
        ChoiceCase{"marker_in_lower_case", {variant("soic8_test", 8), variant("soic8", 8)}, 8, 1},
        ChoiceCase{
            "distance_outweighs_marker", {variant("QFN16_N", 17), variant("QFN16_MFG", 16)}, 16, 1},
        ChoiceCase{"without_consensus_first_even_if_marked",
                   {variant("SOIC8_TEST", 10), variant("SOIC8", 8)},
                   std::nullopt,
                   0},
        ChoiceCase{"first_of_equal_keys", {variant("A", 7), variant("B", 9)}, 8, 0},
        ChoiceCase{"no_name_no_penalty", {variant("X_DEBUG", 4), variant(std::nullopt, 4)}, 4, 1},
        ChoiceCase{"both_marked_first_wins", {variant("A_TEST", 4), variant("B_DEBUG", 4)}, 4, 0},
        ChoiceCase{"consensus_far_above",
                   {variant("A", 2), variant("B", 3)},
                   std::numeric_limits<std::uint32_t>::max(),
                   1},
        ChoiceCase{"zero_pads_allowed", {variant("A", 0), variant("B", 5)}, 1, 0}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(VariantChoice, NothingToChooseFrom) {
  EXPECT_EQ(tessan::choose_variant({}, 8), std::nullopt);
  EXPECT_EQ(tessan::choose_variant({}, std::nullopt), std::nullopt);
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

TEST(FootprintVariants, TakePadLabelsNameAndError) {
  altium::FootprintEntry footprint;
  footprint.module_name = "SOT23";
  footprint.pads.resize(3);
  footprint.pads[0].number = "1";
  footprint.pads[1].number = "";
  footprint.pads[2].number = "?";
  altium::FootprintEntry failed;
  failed.module_name = "QFN";
  failed.parse_error = "stream too short (2 bytes)";
  const auto variants = tessan::footprint_variants(std::vector{footprint, failed});
  ASSERT_EQ(variants.size(), 2u);
  EXPECT_EQ(variants[0].pads, (std::vector<std::string>{"1", "", "?"}));
  EXPECT_EQ(variants[0].module_name, "SOT23");
  EXPECT_FALSE(variants[0].parse_error.has_value());
  EXPECT_EQ(variants[1].parse_error, "stream too short (2 bytes)");
}

TEST(FootprintVariants, OnlyFailedEntriesWithoutPadsAreDropped) {
  std::vector<FootprintVariant> variants = {
      variant("A", 0, "stream too short (1 bytes)"), variant("B", 0), variant("C", 2, "odd"),
      variant("D", 0, "footprint name block overruns stream")};
  tessan::drop_unparsed_variants(variants);
  ASSERT_EQ(variants.size(), 2u);
  EXPECT_EQ(variants[0].module_name, "B");
  EXPECT_EQ(variants[1].module_name, "C");
}

}  // namespace
