// Copies of real libraries broken in one precise way (pins swapped, shifted, renamed or
// removed, pads removed or renumbered, packages renamed): `check` must call them divergent,
// however benign the untouched differences of the same folder are.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "broken_copy.hpp"

namespace tessan::testing {
namespace {

TEST_P(BrokenCopies, StayDivergent) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const BrokenCopy& broken = GetParam();
  const ChipCopy copy(corpus, broken.mpn);
  broken.edit(copy, corpus);
  const CheckOutcome outcome = copy.check();
  EXPECT_EQ(outcome.status(), "divergent") << ::testing::PrintToString(outcome.variant_kinds());
  EXPECT_EQ(outcome.exit_code, 2);
  const Texts uncovered = outcome.uncovered_axes();
  for (const std::string& axis : broken.must_stay_uncovered) {
    EXPECT_NE(std::find(uncovered.begin(), uncovered.end(), axis), uncovered.end())
        << axis << " is covered; uncovered: " << ::testing::PrintToString(uncovered);
  }
}

INSTANTIATE_TEST_SUITE_P(
    SwappedAndShiftedPins, BrokenCopies,
    ::testing::Values(
        BrokenCopy{
            "Stm32KicadPa2Pa3", "STM32F103C8T6", swap_kicad_names("PA2", "PA3"), {kNames, kMap}},
        BrokenCopy{"Stm32KicadNamesShifted",
                   "STM32F103C8T6",
                   kicad_sym(shift_kicad_pin_names),
                   {kNames, kMap}},
        BrokenCopy{"AtmegaEaglePb3Pb4",
                   "ATMEGA328P-AU",
                   swap_eagle_pads("PB3", "15", "PB4", "16"),
                   {kNames, kMap}},
        BrokenCopy{"AtmegaEagleConnectsShifted",
                   "ATMEGA328P-AU",
                   eagle([](std::string& t) { shift_eagle_connects(t, 32); }),
                   {kNames, kMap}},
        BrokenCopy{"Ch340gEagleTxRx", "CH340G", swap_eagle_pads("TX", "2", "RX", "3"), {kNames}},
        BrokenCopy{
            "Ch340gEagleUsbPlusMinus", "CH340G", swap_eagle_pads("D+", "5", "D-", "6"), {kNames}},
        BrokenCopy{"W25qEagleMisoMosi",
                   "W25Q32JVSSIQ",
                   swap_eagle_pads("MISO/IO1", "2", "MOSI/IO0", "5"),
                   {kNames}},
        BrokenCopy{"W25qEagleConnectsShifted",
                   "W25Q32JVSSIQ",
                   eagle([](std::string& t) { shift_eagle_connects(t, 8); }),
                   {kNames, kMap}},
        BrokenCopy{"Tp4056KicadTempProg", "TP4056", swap_kicad_names("Temp", "Prog"),
                   with(kPads, {kNames, kFamily})},
        BrokenCopy{"EspS3Wroom1UKicadIo0Io1", "ESP32-S3-WROOM-1U", swap_kicad_names("IO0", "IO1"),
                   with(kPads, {kNames})},
        BrokenCopy{"Stm32KicadVddaVssa",
                   "STM32F103C8T6",
                   swap_kicad_names("VDDA", "VSSA"),
                   {kNames, kMap}},
        BrokenCopy{
            "AtmegaKicadPb3Pb4", "ATMEGA328P-AU", swap_kicad_names("PB3", "PB4"), {kNames, kMap}},
        BrokenCopy{"AtmegaRailsSwapped",
                   "ATMEGA328P-AU",
                   [](const ChipCopy& copy, const std::filesystem::path&) {
                     copy.edit(".kicad_sym", [](std::string& t) {
                       rename_kicad_pins(t, {{"18", "VDD"}});
                     });
                     copy.edit(".lbr", [](std::string& t) {
                       set_eagle_connect_pads(t, "VCC", "18");
                       set_eagle_connect_pads(t, "AVCC", "4 6");
                       rename_eagle_pin(t, "AVCC", "VDD");
                     });
                     drop_altium(copy);
                   },
                   {kNames, kMap}},
        BrokenCopy{"Tp4056KicadNamesShifted", "TP4056", kicad_sym(shift_kicad_pin_names),
                   with(kPads, {kNames, kFamily})},
        BrokenCopy{"Ch340gEagleSpeltLikeAltiumThenUsbSwapped",
                   "CH340G",
                   eagle([](std::string& t) {
                     rename_eagle_pin(t, "TX", "TXD");
                     rename_eagle_pin(t, "RX", "RXD");
                     rename_eagle_pin(t, "D+", "UD+");
                     rename_eagle_pin(t, "D-", "UD-");
                     set_eagle_connect_pads(t, "UD+", "6");
                     set_eagle_connect_pads(t, "UD-", "5");
                   }),
                   {kNames, kMap}},
        BrokenCopy{"AtmegaKicadArefRenumbered",
                   "ATMEGA328P-AU",
                   [](const ChipCopy& copy, const std::filesystem::path&) {
                     copy.edit(".kicad_sym",
                               [](std::string& t) { renumber_kicad_pin(t, "20", "33"); });
                     drop_altium(copy);
                   },
                   {kNames, kMap}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(SiblingParts, BrokenCopies,
                         ::testing::Values(BrokenCopy{"Stm32KicadWithF030Names",
                                                      "STM32F103C8T6",
                                                      kicad_sym([](std::string& t) {
                                                        rename_kicad_pins(t, {{"1", "VDD"},
                                                                              {"5", "PF0-OSC_IN"},
                                                                              {"6", "PF1-OSC_OUT"},
                                                                              {"35", "PF6"},
                                                                              {"36", "PF7"}});
                                                      }),
                                                      {kNames}},
                                           BrokenCopy{"Ch340gEagleWithCh340cNames",
                                                      "CH340G",
                                                      eagle([](std::string& t) {
                                                        rename_eagle_pin(t, "XI", "NC_1");
                                                        rename_eagle_pin(t, "XO", "NC_2");
                                                      }),
                                                      {kNames}}),
                         [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(WrongPackages, BrokenCopies,
                         ::testing::Values(BrokenCopy{
                             "EspS3Wroom1WithWroom32eFootprint", "ESP32-S3-WROOM-1",
                             [](const ChipCopy& copy, const std::filesystem::path& corpus) {
                               copy.replace_with(".kicad_mod", corpus / "ESP32-WROOM-32E" /
                                                                   "ESP32-WROOM-32E.kicad_mod");
                             },
                             kPads}),
                         [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    RemovedAndRenumberedPads, BrokenCopies,
    ::testing::Values(
        BrokenCopy{"AtmegaKicadPinAndPad20Removed", "ATMEGA328P-AU",
                   [](const ChipCopy& copy, const std::filesystem::path&) {
                     copy.edit(".kicad_mod", [](std::string& t) { remove_sexpr(t, "(pad 20 "); });
                     copy.edit(".kicad_sym", [](std::string& t) { remove_kicad_pin(t, "20"); });
                   },
                   with(kPads, {kPinCount})},
        BrokenCopy{"W25qEagleLastPinAndPadRemoved", "W25Q32JVSSIQ", eagle([](std::string& t) {
                     erase_line(t, "<smd name=\"8\" x=\"2.6\"");
                     erase_line(t, "<connect gate=\"G$1\" pin=\"VDD\" pad=\"8\"/>");
                   }),
                   with(kPads, {kPinCount, kFamily})},
        BrokenCopy{"EspC3MiniKicadPad20Removed", "ESP32-C3-MINI-1",
                   kicad_mod([](std::string& t) { remove_sexpr(t, "(pad \"20\" "); }), kPads},
        BrokenCopy{"EspS3Wroom1KicadPad10Removed", "ESP32-S3-WROOM-1",
                   kicad_mod([](std::string& t) { remove_sexpr(t, "(pad \"10\" "); }), kPads},
        BrokenCopy{
            "EspC3MiniKicadExposedPadNumbered48",
            "ESP32-C3-MINI-1",
            kicad_mod([](std::string& t) { replace_all(t, "(pad \"49\" ", "(pad \"48\" "); }),
            {"pad_numbers"}},
        BrokenCopy{"Rp2040KicadPad30Removed", "RP2040",
                   kicad_mod([](std::string& t) { remove_sexpr(t, "(pad 30 "); }), kPads}),
    [](const auto& info) { return info.param.name; });

// A flash chip drawn in the WSON package (with an exposed pad under it) against an SOIC
// footprint: the WSON 8x6 land pattern has the SOIC's 1.27 mm pitch and rows 8.00 mm apart
// against the 208-mil SOIC's 7.10 mm, within the 25 % that real libraries of one part differ
// by, and its centre pad is an exposed pad. The geometry cannot tell these packages apart;
// what the rules give is recorded here.
TEST(BrokenCopy, AFlashChipInAnotherPackageWithAnExposedPadIsNotCaught) {
  TESSAN_REQUIRE_CORPUS(corpus);
  const ChipCopy copy(corpus, "W25Q32JVSSIQ");
  copy.edit(".lbr", [](std::string& t) {
    replace_first(t, "<device name=\"SS\" package=\"SOIC8\">",
                  "<device name=\"SS\" package=\"WSON8X6\">");
    set_eagle_connect_pads(t, "GND", "4 PAD");
  });
  const CheckOutcome outcome = copy.check();
  EXPECT_EQ(outcome.status(), "golden_with_variants");
  EXPECT_EQ(outcome.variant_kinds(),
            (Texts{"exposed_pad_variant", "label_only_mismatch", "naming_convention_mismatch"}));
}

}  // namespace
}  // namespace tessan::testing
