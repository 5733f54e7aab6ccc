// `check` on the real library folders: the status a librarian gives each part, and the
// variants that explain its benign differences.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chip_copy.hpp"

namespace tessan::testing {
namespace {

using Texts = std::vector<std::string>;

struct PartVerdict {
  std::string mpn;
  std::string status;
  Texts variant_kinds;  // checked for the golden statuses only
};

void PrintTo(const PartVerdict& p, std::ostream* os) {
  *os << p.mpn;
}

class CorpusVerdict : public ::testing::TestWithParam<PartVerdict> {};

TEST_P(CorpusVerdict, MatchesTheLibrariansReading) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const TempDir out;
  const PartVerdict& part = GetParam();
  const CheckOutcome outcome = run_check_on(corpus / part.mpn, out.path());
  EXPECT_EQ(outcome.status(), part.status) << ::testing::PrintToString(outcome.uncovered_axes());
  if (part.status == "golden_with_variants") {
    EXPECT_EQ(outcome.variant_kinds(), part.variant_kinds);
    EXPECT_EQ(outcome.exit_code, 0);
  } else {
    EXPECT_EQ(outcome.exit_code, part.status == "divergent" ? 2 : 3);
  }
}

const std::string kGwv = "golden_with_variants";
const std::string kEp = "exposed_pad_variant";
const std::string kNaming = "naming_convention_mismatch";
const std::string kLabel = "label_only_mismatch";

INSTANTIATE_TEST_SUITE_P(
    SeveralSources, CorpusVerdict,
    ::testing::Values(
        PartVerdict{"ATMEGA328P-AU", kGwv, {kNaming}},
        PartVerdict{"CH340G", kGwv, {kLabel, kNaming}}, PartVerdict{"ESP32-C3-MINI-1", kGwv, {kEp}},
        PartVerdict{"ESP32-S3-MINI-1", kGwv, {kEp}}, PartVerdict{"ESP32-S3-WROOM-1", kGwv, {kEp}},
        PartVerdict{"ESP32-S3-WROOM-1U", kGwv, {kEp}}, PartVerdict{"ESP32-WROOM-32E", kGwv, {kEp}},
        // The Altium footprint numbers its thermal vias 40-51: they are vias, not pads.
        PartVerdict{"ESP32-WROVER-E", kGwv, {kEp}}, PartVerdict{"RP2040", kGwv, {kEp}},
        PartVerdict{"STM32F103C8T6", kGwv, {kLabel, kNaming}},
        // The Altium symbol labels pins 7 and 8 wrongly (CHAR, OE).
        PartVerdict{"TP4056", "divergent", {}},
        // The KiCad symbol has another package's pinout.
        PartVerdict{"TXB0108PWR", "divergent", {}},
        // EAGLE's "SS" device draws the 150-mil rows of an SOIC-8 (5.20 mm apart) for a
        // 208-mil part, which Altium draws 7.10 mm apart.
        PartVerdict{"W25Q32JVSSIQ", "divergent", {}}),
    [](const auto& info) {
      std::string name = info.param.mpn;
      std::replace(name.begin(), name.end(), '-', '_');
      return name;
    });

INSTANTIATE_TEST_SUITE_P(OneSource, CorpusVerdict,
                         ::testing::Values(PartVerdict{"150060BS75000", "unrecoverable", {}},
                                           PartVerdict{"744774022", "unrecoverable", {}},
                                           PartVerdict{"ESP8266EX", "unrecoverable", {}},
                                           PartVerdict{"ICE40LP384-CM49", "unrecoverable", {}},
                                           PartVerdict{"PC817", "unrecoverable", {}},
                                           PartVerdict{"STM32F407VET6", "unrecoverable", {}},
                                           PartVerdict{"STM32F750VBT6", "unrecoverable", {}},
                                           PartVerdict{"WEMOSD1MINI", "unrecoverable", {}},
                                           PartVerdict{"XC3S200AN-4FT256I", "unrecoverable", {}}),
                         [](const auto& info) {
                           std::string name = info.param.mpn;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(CorpusVerdict, AnExposedPadSplitIntoSegmentsMarksEverySourceThatDrawsIt) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const TempDir out;
  const CheckOutcome outcome = run_check_on(corpus / "ESP32-S3-WROOM-1U", out.path());
  ASSERT_EQ(outcome.doc.variants.size(), 1u);
  const auto* ep = std::get_if<ExposedPadVariant>(&outcome.doc.variants.front());
  ASSERT_NE(ep, nullptr);
  EXPECT_EQ(ep->sources_with_ep, (Texts{"kicad", "eagle", "altium"}));
  EXPECT_TRUE(ep->sources_without_ep.empty());
}

TEST(CorpusVerdict, NumberedThermalViasBesideTheExposedPadAreVias) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const TempDir out;
  const CheckOutcome outcome = run_check_on(corpus / "ESP32-WROVER-E", out.path());
  ASSERT_EQ(outcome.doc.variants.size(), 1u);
  const auto* ep = std::get_if<ExposedPadVariant>(&outcome.doc.variants.front());
  ASSERT_NE(ep, nullptr);
  EXPECT_EQ(ep->sources_with_ep, (Texts{"kicad", "altium"}));
  EXPECT_TRUE(ep->sources_without_ep.empty());
}

}  // namespace
}  // namespace tessan::testing
