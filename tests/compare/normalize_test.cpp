#include "compare/normalize.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "compare/unicode_upper.hpp"

namespace tessan {
namespace {

struct TextCase {
  std::string input;
  std::string expected;
};

class NormalizePinName : public ::testing::TestWithParam<TextCase> {};

TEST_P(NormalizePinName, GivesTheComparableForm) {
  EXPECT_EQ(normalize_pin_name(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamplesAndEdges, NormalizePinName,
                         ::testing::Values(TextCase{"VDD_1", "VDD"}, TextCase{"vdd", "VDD"},
                                           TextCase{"V-", "V_"}, TextCase{"IN+/IN-", "IN+_IN_"},
                                           TextCase{"GPIO/ADC1", "GPIO_ADC1"},
                                           TextCase{"OUT_12", "OUT"}, TextCase{"A_B_3", "A_B"},
                                           TextCase{"PAD_", "PAD_"}, TextCase{"OUT_A", "OUT_A"},
                                           TextCase{"_12", ""}, TextCase{"", ""},
                                           TextCase{"V\u2013", "V_"}, TextCase{"V\u2014", "V_"},
                                           TextCase{"V\u2212", "V_"}, TextCase{"vout-3", "VOUT"},
                                           // Pin names take the ASCII rule only: ß stays as it is.
                                           TextCase{"aß", "Aß"}, TextCase{"~{reset}", "~{RESET}"}));

class PinNumberKey : public ::testing::TestWithParam<TextCase> {};

TEST_P(PinNumberKey, IsTheFullUnicodeUpperCase) {
  EXPECT_EQ(pin_number_key(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, PinNumberKey,
    ::testing::Values(TextCase{"ep", "EP"}, TextCase{"a1", "A1"}, TextCase{"49_1", "49_1"},
                      TextCase{"ß", "SS"}, TextCase{"\uFB01", "FI"}, TextCase{"é-1", "É-1"},
                      TextCase{"", ""},
                      // Bytes that are not UTF-8 stay; the ASCII letters are still raised.
                      TextCase{"\xFF"
                               "a",
                               "\xFF"
                               "A"},
                      TextCase{"b\xC3", "B\xC3"}));

TEST(UnicodeUpper, AsciiAndWideTextAgreeOnAsciiLetters) {
  EXPECT_EQ(unicode_upper("abc-xyz_09"), "ABC-XYZ_09");
  EXPECT_EQ(unicode_upper("straße"), "STRASSE");
  EXPECT_EQ(ascii_upper("straße"), "STRAßE");
}

TEST(PowerAlias, MapsBothGroupsAndNothingElse) {
  for (const char* name : {"V+", "VPLUS", "V_PLUS", "VCC", "VDD", "VPP", "VSUP"}) {
    EXPECT_EQ(power_alias(name), "VCC") << name;
  }
  for (const char* name : {"V_", "VMINUS", "V_MINUS", "GND", "VSS", "VEE"}) {
    EXPECT_EQ(power_alias(name), "GND") << name;
  }
  for (const char* name : {"V-", "AVDD", "vcc", "GNDA", ""}) {
    EXPECT_FALSE(power_alias(name).has_value()) << name;
  }
}

struct TokensCase {
  std::string name;
  std::vector<std::string> tokens;
};

class NameTokens : public ::testing::TestWithParam<TokensCase> {};

TEST_P(NameTokens, SplitsLetterAndDigitRuns) {
  EXPECT_EQ(name_tokens(GetParam().name), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, NameTokens,
    ::testing::Values(TokensCase{"OUT1", {"OUT", "1"}}, TokensCase{"1OUT", {"1", "OUT"}},
                      TokensCase{"IN1+", {"IN", "1"}}, TokensCase{"OUTA", {"OUTA"}},
                      TokensCase{"A_B12C", {"A", "B", "12", "C"}}, TokensCase{"", {}},
                      TokensCase{"+_-", {}}, TokensCase{"Vé1", {"V", "1"}}));

TEST(RemoveUnderscores, DeletesEveryUnderscore) {
  EXPECT_EQ(remove_underscores("_A__B_"), "AB");
  EXPECT_EQ(remove_underscores("___"), "");
}

class StripActiveLow : public ::testing::TestWithParam<TextCase> {};

TEST_P(StripActiveLow, RemovesMarksAndOneSuffix) {
  EXPECT_EQ(strip_active_low(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Marks, StripActiveLow,
                         ::testing::Values(TextCase{"~{RESET}", "RESET"}, TextCase{"!CS", "CS"},
                                           TextCase{"C\\S\\", "CS"}, TextCase{"RESET_N", "RESET"},
                                           TextCase{"WR_B", "WR"}, TextCase{"CS#", "CS"},
                                           TextCase{"EN_L", "EN"}, TextCase{"X_L_N", "X_L"},
                                           TextCase{"X_N_B", "X_N"}, TextCase{"RESET", "RESET"},
                                           TextCase{"_N", ""}));

TEST(IsNPrefixedForm, NeedsAnNAndAtLeastTwoFollowingCharacters) {
  EXPECT_TRUE(is_n_prefixed_form("NRESET", "RESET"));
  EXPECT_TRUE(is_n_prefixed_form("NCS", "CS"));
  EXPECT_FALSE(is_n_prefixed_form("RESET", "NRESET"));
  EXPECT_FALSE(is_n_prefixed_form("NA", "A"));
  EXPECT_FALSE(is_n_prefixed_form("NRST", "RESET"));
  EXPECT_FALSE(is_n_prefixed_form("", ""));
}

TEST(IsExposedPadName, MatchesTheThirteenNamesWithoutUnderscores) {
  for (const char* name : {"PAD", "THERMAL_PAD", "EP", "E_PAD", "EXPPAD", "EXPAD", "GND_PAD",
                           "PPAD", "POWER_PAD", "DAP", "TAB", "HEATSINK", "THERMAL", "_EP_"}) {
    EXPECT_TRUE(is_exposed_pad_name(name)) << name;
  }
  for (const char* name : {"EP1", "ep", "GND", "PAD1", ""}) {
    EXPECT_FALSE(is_exposed_pad_name(name)) << name;
  }
}

class KelvinNameForm : public ::testing::TestWithParam<TextCase> {};

TEST_P(KelvinNameForm, WritesDashesAndUpperCase) {
  EXPECT_EQ(kelvin_name_form(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, KelvinNameForm,
                         ::testing::Values(TextCase{"v-", "V-"}, TextCase{"I_", "I-"},
                                           TextCase{"i\u2013", "I-"}, TextCase{"V\u2212", "V-"},
                                           TextCase{"i+", "I+"}, TextCase{"S/F", "S/F"}));

TEST(IsModulePackage, LooksForModuleNamesAnywhereInTheUpperCasedName) {
  for (const char* name : {"ESP32-WROOM-32E", "esp32-wrover-e", "MikroBUS click", "Edge_Pad 10",
                           "XBee-PRO", "my module"}) {
    EXPECT_TRUE(is_module_package(name)) << name;
  }
  for (const char* name : {"SOIC-8", "QFN-56", "", "NORA"}) {
    EXPECT_FALSE(is_module_package(name)) << name;
  }
}

}  // namespace
}  // namespace tessan

namespace tessan {
namespace {

class FoldLabel : public ::testing::TestWithParam<TextCase> {};

TEST_P(FoldLabel, CutsOneTrailingSegmentNumber) {
  EXPECT_EQ(fold_label(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Labels, FoldLabel,
                         ::testing::Values(TextCase{"49_3", "49"}, TextCase{"EP_1", "EP"},
                                           TextCase{"A_B_2", "A_B"}, TextCase{"49", "49"},
                                           TextCase{"_1", "_1"}, TextCase{"49_", "49_"},
                                           TextCase{"49_1A", "49_1A"}, TextCase{"41_21", "41"},
                                           TextCase{"", ""}));

TEST(SignalAlias, NamesTheFirstGroupHoldingTheName) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"VDD", "VCC"}, {"V_", "GND"},    {"GNDA", "AGND"},  {"VDDA", "AVCC"},   {"SCLK", "CLK"},
      {"DO", "MISO"}, {"CIPO", "MISO"}, {"DIN", "MOSI"},   {"NSS", "CS"},      {"TXD", "TX"},
      {"RXD", "RX"},  {"UD+", "D+"},    {"USB_DP", "D+"},  {"USB+", "D+"},     {"D_", "D-"},
      {"UD_", "D-"},  {"USB_", "D-"},   {"NRST", "RESET"}, {"RESETN", "RESET"}};
  for (const auto& [name, group] : cases) EXPECT_EQ(signal_alias(name), group) << name;
  for (const char* name : {"D-", "UD-", "SDA", "IO1", ""}) {
    EXPECT_FALSE(signal_alias(name).has_value()) << name;
  }
}

struct ComponentsCase {
  std::string name;
  std::set<std::string> components;
};

class NameComponents : public ::testing::TestWithParam<ComponentsCase> {};

TEST_P(NameComponents, SplitsRunsAndFoldsAliases) {
  EXPECT_EQ(name_components(GetParam().name), GetParam().components);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameComponents,
    ::testing::Values(ComponentsCase{"PC6_~{RESET}", {"PC6", "RESET"}},
                      ComponentsCase{"PC6_!RESET", {"PC6", "RESET"}},
                      ComponentsCase{"DO (IO1)", {"IO1", "MISO"}},
                      ComponentsCase{"MISO_IO1", {"IO1", "MISO"}}, ComponentsCase{"TXD", {"TX"}},
                      ComponentsCase{"USB_DP", {"D+"}}, ComponentsCase{"D_", {"D-"}},
                      ComponentsCase{"!CS", {"CS"}}, ComponentsCase{"C\\S\\", {"CS"}},
                      ComponentsCase{"HOLD _ RESET (IO3)", {"HOLD", "IO3", "RESET"}},
                      ComponentsCase{"PB3_MOSI", {"MOSI", "PB3"}},
                      ComponentsCase{"IN+_IN_", {"IN", "IN+"}}, ComponentsCase{"~", {}},
                      ComponentsCase{"GPIO5_MTDI", {"IO5", "MTDI"}}, ComponentsCase{"VIN", {"IN"}},
                      ComponentsCase{"GPIO", {"GPIO"}}, ComponentsCase{"", {}}));

TEST(IsIdentifyingComponent, NeedsTwoCharactersWithALetter) {
  for (const char* c : {"PB3", "IO", "D+", "A1"}) EXPECT_TRUE(is_identifying_component(c)) << c;
  for (const char* c : {"A", "1", "12", "+", "", "1+"}) {
    EXPECT_FALSE(is_identifying_component(c)) << c;
  }
}

TEST(NameClasses, NoConnectAndGroundClassNames) {
  for (const char* name : {"NC", "N.C.", "N_C", "NC1", "DNC", "NIC", "RSVD", "RESERVED2"}) {
    EXPECT_TRUE(is_no_connect_name(name)) << name;
  }
  for (const char* name : {"NCS", "SYNC", "NC_CS", "", "1"})
    EXPECT_FALSE(is_no_connect_name(name)) << name;
  for (const char* name : {"GND", "AGND", "DGND", "PGND", "SGND", "VSS", "VSSA"}) {
    EXPECT_TRUE(is_ground_class(name)) << name;
  }
  for (const char* name : {"VEE", "GND_SENSE", "VDD"}) EXPECT_FALSE(is_ground_class(name)) << name;
}

}  // namespace
}  // namespace tessan
