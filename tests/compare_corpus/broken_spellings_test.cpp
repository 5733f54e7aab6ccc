// Copies broken where the rules for real spellings, no-connect, mechanical and extra pads and
// stub symbols could let a real difference through.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "broken_copy.hpp"
#include "parsers/kicad/kicad_reader.hpp"

namespace tessan::testing {
namespace {

const std::string kAtmega = "ATMEGA328P-AU";

// Renames pins in the KiCad symbol and the EAGLE library, and leaves the Altium pair out.
auto kicad_and_eagle(std::map<std::string, std::string> kicad_names, std::string eagle_from,
                     std::string eagle_to) {
  return [=](const ChipCopy& copy, const std::filesystem::path&) {
    copy.edit(".kicad_sym", [&](std::string& t) { rename_kicad_pins(t, kicad_names); });
    copy.edit(".lbr", [&](std::string& t) { rename_eagle_pin(t, eagle_from, eagle_to); });
    drop_altium(copy);
  };
}

auto kicad_pad_and_pin(std::string label, std::string pin_name) {
  return [=](const ChipCopy& copy, const std::filesystem::path&) {
    copy.edit(".kicad_mod", [&](std::string& t) { add_kicad_pad(t, "32", label); });
    copy.edit(".kicad_sym", [&](std::string& t) { add_kicad_pin(t, "32", label, pin_name); });
  };
}

INSTANTIATE_TEST_SUITE_P(
    SpellingsAndPads, BrokenCopies,
    ::testing::Values(BrokenCopy{"AtmegaKicadSignalPadAtTheRowEnd", kAtmega,
                                 kicad_pad_and_pin("33", "PE0"), with(kPads, {kPinCount})},
                      BrokenCopy{"AtmegaKicadLabelS1WithASignalPin", kAtmega,
                                 kicad_pad_and_pin("S1", "PE1"), with(kPads, {kPinCount})},
                      BrokenCopy{"AtmegaKicadShieldPadsOthersHaveNone", kAtmega,
                                 kicad_mod([](std::string& t) {
                                   for (const char* label : {"S1", "S2", "S3", "S4"})
                                     add_kicad_pad(t, "32", label);
                                 }),
                                 kPads},
                      BrokenCopy{"AtmegaNoConnectRenamedToASignal",
                                 kAtmega,
                                 kicad_and_eagle({{"19", "NC"}}, "ADC6", "SDA"),
                                 {kNames}},
                      BrokenCopy{"AtmegaPinNamedByItsNumber",
                                 kAtmega,
                                 kicad_sym([](std::string& t) {
                                   rename_kicad_pins(t, {{"12", "12"}});
                                 }),
                                 {kNames}},
                      BrokenCopy{"AtmegaInaMinusAgainstPlus",
                                 kAtmega,
                                 kicad_and_eagle({{"23", "INA-"}}, "PC0", "INA+"),
                                 {kNames}},
                      BrokenCopy{"AtmegaUdPlusAgainstMinus",
                                 kAtmega,
                                 kicad_and_eagle({{"24", "UD+"}}, "PC1", "UD-"),
                                 {kNames}},
                      BrokenCopy{"AtmegaOverbarMoved",
                                 kAtmega,
                                 kicad_sym([](std::string& t) {
                                   rename_kicad_pins(t, {{"29", "PC6/RESET"}, {"12", "~{PB0}"}});
                                 }),
                                 {kNames}},
                      BrokenCopy{"AtmegaTxd0AgainstTxd1",
                                 kAtmega,
                                 kicad_and_eagle({{"31", "TXD1"}}, "PD1", "TXD0"),
                                 {kNames}},
                      BrokenCopy{"AtmegaAlternativeNamingAnotherPin",
                                 kAtmega,
                                 kicad_sym([](std::string& t) {
                                   rename_kicad_pins(t, {{"31", "PD1/PD0"}});
                                 }),
                                 {kNames}},
                      BrokenCopy{"Stm32AnalogGroundMovedToAnotherPin",
                                 "STM32F103C8T6",
                                 kicad_sym([](std::string& t) {
                                   rename_kicad_pins(t, {{"8", "VSS"}, {"23", "VSSA"}});
                                 }),
                                 {kNames}},
                      BrokenCopy{"AtmegaStubKicadBesideEaglePb3Pb4",
                                 kAtmega,
                                 [](const ChipCopy& copy, const std::filesystem::path&) {
                                   copy.edit(".kicad_sym", stub_kicad_pin_names);
                                   copy.edit(".lbr", [](std::string& t) {
                                     set_eagle_connect_pads(t, "PB3", "16");
                                     set_eagle_connect_pads(t, "PB4", "15");
                                   });
                                 },
                                 {kNames}}),
    [](const auto& info) { return info.param.name; });

// Telling a pinless pad on a signal position from an exposed pad needs the pad positions,
// which the KiCad footprint carries: the pad drawn over pad 32 is a ring pad, not a via.
TEST(BrokenCopy, APinlessPadOnASignalPositionWithGeometryStaysDivergent) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const ChipCopy copy(corpus, kAtmega);
  copy.edit(".kicad_mod", [](std::string& t) { add_kicad_pad(t, "32", "33"); });
  const auto record = read_kicad(copy.file(".kicad_sym"), copy.file(".kicad_mod"));
  ASSERT_TRUE(record.ok());
  ASSERT_TRUE(record->pad_geometry.has_value());
  const CheckOutcome outcome = copy.check();
  EXPECT_EQ(outcome.status(), "divergent") << ::testing::PrintToString(outcome.variant_kinds());
}

}  // namespace
}  // namespace tessan::testing
