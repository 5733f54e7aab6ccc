#include "compare/package_family.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace tessan {
namespace {

struct FamilyCase {
  std::string package_name;
  std::string family;
};

void PrintTo(const FamilyCase& c, std::ostream* os) {
  *os << '"' << c.package_name << '"';
}

class ClassifyPackageFamily : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(ClassifyPackageFamily, GivesTheFamily) {
  EXPECT_EQ(classify_package_family(GetParam().package_name), GetParam().family);
}

INSTANTIATE_TEST_SUITE_P(
    VendorOutlineCodes, ClassifyPackageFamily,
    ::testing::Values(FamilyCase{"DGS0010A", "VSSOP"}, FamilyCase{"dgs0010a", "VSSOP"},
                      FamilyCase{"DCT0008A", "SOT"}, FamilyCase{"DCK0005A", "SC70"},
                      FamilyCase{"DCN0008A", "VSON"}, FamilyCase{"DBV0005A", "SOT"},
                      FamilyCase{"DDC0006A", "SOT"}, FamilyCase{"DLC0008A", "WSON"},
                      FamilyCase{"YBG0008", "BGA"}, FamilyCase{"RGE0024A", "QFN"},
                      FamilyCase{"RGZ0048A", "QFN"}, FamilyCase{"RHB0032E", "VQFN"},
                      FamilyCase{"RUG0010A", "VQFN"}, FamilyCase{"RRG0040", "VQFN"},
                      FamilyCase{"RGF0040", "VQFN"}, FamilyCase{"RTV0032", "VQFN"},
                      FamilyCase{"RRY0014", "VQFN"}, FamilyCase{"RSM0032", "VQFN"},
                      FamilyCase{"RQM0020", "VQFN"}, FamilyCase{"PW0020A", "TSSOP"},
                      FamilyCase{"PWP-SOIC", "TSSOP"}, FamilyCase{"DRL0006A", "QFN"},
                      FamilyCase{"PBS0032A", "TQFP"},
                      // Not a vendor code: the prefix needs both zeros.
                      FamilyCase{"DGS10", "UNKNOWN"}));

INSTANTIATE_TEST_SUITE_P(ShortSoicAndDipNames, ClassifyPackageFamily,
                         ::testing::Values(FamilyCase{"D8", "SOIC"}, FamilyCase{"d_8", "SOIC"},
                                           FamilyCase{"D", "SOIC"}, FamilyCase{"TI_D8", "SOIC"},
                                           FamilyCase{"D16", "UNKNOWN"}, FamilyCase{"P8", "DIP"},
                                           FamilyCase{"P_8", "DIP"}, FamilyCase{"PDIP", "DIP"},
                                           FamilyCase{"P14", "DIP"}, FamilyCase{"P_14", "DIP"},
                                           FamilyCase{"P16", "DIP"}, FamilyCase{"P_16", "DIP"},
                                           FamilyCase{"X_P8", "DIP"}, FamilyCase{"X_P14", "DIP"},
                                           FamilyCase{"X_P16", "DIP"},
                                           FamilyCase{"P18", "UNKNOWN"}));

INSTANTIATE_TEST_SUITE_P(
    SotNames, ClassifyPackageFamily,
    ::testing::Values(FamilyCase{"SOT_MSOP8", "MSOP"}, FamilyCase{"SOT_MSOP-10", "MSOP"},
                      FamilyCase{"SOT_VSSOP-10", "VSSOP"}, FamilyCase{"SOT_TSSOP-20", "TSSOP"},
                      FamilyCase{"SOT_SSOP", "SSOP"}, FamilyCase{"SOT_SOIC8", "SOIC"},
                      FamilyCase{"SOT_QFN16", "QFN"}, FamilyCase{"SOT_QFP44", "QFP"},
                      FamilyCase{"SOT_BGA", "BGA"},
                      // No family named after "SOT_": later rules decide.
                      FamilyCase{"SOT_23", "SOT"}, FamilyCase{"SOT_X_SC70", "SOT"}));

INSTANTIATE_TEST_SUITE_P(
    LandPatternNames, ClassifyPackageFamily,
    ::testing::Values(
        FamilyCase{"SOP65P640X120-20N", "TSSOP"}, FamilyCase{"SOP50P490X110-10N", "TSSOP"},
        FamilyCase{"SOP66P640X120-20N", "SSOP"}, FamilyCase{"SOP80P600X175-8N", "SSOP"},
        FamilyCase{"SOP127P600X175-9N", "SOIC"}, FamilyCase{"SOP4294967295P600", "SSOP"},
        FamilyCase{"QFP50P900X900X160-48N", "LQFP"}, FamilyCase{"BGA100C80P10X10", "BGA"},
        FamilyCase{"CSP40P160X160", "BGA"}, FamilyCase{"DFN50P300X300", "DFN"},
        FamilyCase{"QFN40P700X700X90-57N", "QFN"}, FamilyCase{"SON50P300X300X80-9N", "WSON"},
        FamilyCase{"WSON50P200X200", "WSON"},
        // Prefix without digits followed by "P": the row does not decide.
        FamilyCase{"SOP8", "UNKNOWN"}, FamilyCase{"SOPP", "UNKNOWN"},
        FamilyCase{"SON-8", "UNKNOWN"}, FamilyCase{"QFN-32", "QFN"},
        // A pitch too large for 32 bits ends the rule without a result.
        FamilyCase{"SOP4294967296P600", "UNKNOWN"},
        FamilyCase{"SOP99999999999999999999P", "UNKNOWN"}, FamilyCase{"QFP4294967296P", "LQFP"}));

INSTANTIATE_TEST_SUITE_P(
    SubstringTable, ClassifyPackageFamily,
    ::testing::Values(
        FamilyCase{"LGA-16", "LGA"}, FamilyCase{"BGA-LGA", "LGA"}, FamilyCase{"VSSOP-10", "VSSOP"},
        FamilyCase{"TSSOP-20", "TSSOP"}, FamilyCase{"SSOP-28", "SSOP"},
        FamilyCase{"MSOP-10", "VSSOP"}, FamilyCase{"SOIC-8W", "SOIC"},
        FamilyCase{"SOIC-8_3.9X4.9MM_P1.27MM", "SOIC"}, FamilyCase{"soic-16", "SOIC"},
        FamilyCase{"SOIJ-8", "SOIC"}, FamilyCase{"VQFN-32", "VQFN"}, FamilyCase{"QFN-56", "QFN"},
        FamilyCase{"WSON-8", "WSON"}, FamilyCase{"DFN-8", "DFN"}, FamilyCase{"LQFP-48", "LQFP"},
        FamilyCase{"TQFP-32", "LQFP"}, FamilyCase{"PQFP-100", "LQFP"}, FamilyCase{"DSBGA-8", "BGA"},
        FamilyCase{"WLCSP-20", "BGA"}, FamilyCase{"UCSP", "BGA"}, FamilyCase{"FBGA-256", "BGA"},
        FamilyCase{"SOT-563", "SOT"}, FamilyCase{"SOT-23-5", "SOT"}, FamilyCase{"SOT-23-6", "SOT"},
        FamilyCase{"SOT-23", "SOT"}, FamilyCase{"SOT223", "SOT"}, FamilyCase{"SC-70", "SC70"},
        FamilyCase{"SC70-5", "SC70"}, FamilyCase{"DIP-8", "DIP"},
        FamilyCase{"ESP32-WROOM-32E", "MODULE"}, FamilyCase{"ESP32-WROVER-E", "MODULE"},
        FamilyCase{"RF Module", "MODULE"}, FamilyCase{"QFN56-0.4-7X7", "QFN"},
        FamilyCase{"Pico2040-QFN-56", "QFN"}, FamilyCase{"SOT23-8", "SOT"}));

INSTANTIATE_TEST_SUITE_P(NoRule, ClassifyPackageFamily,
                         ::testing::Values(FamilyCase{"", "UNKNOWN"},
                                           FamilyCase{"CH340G", "UNKNOWN"},
                                           FamilyCase{"STM32F103C8T6", "UNKNOWN"},
                                           FamilyCase{"\xFF\xFE", "UNKNOWN"}));

TEST(FamilyClass, GroupsFamiliesByBodyStyle) {
  EXPECT_EQ(family_class("VSSOP"), "leaded");
  EXPECT_EQ(family_class("SC70"), "leaded");
  EXPECT_EQ(family_class("VQFN"), "leadless");
  EXPECT_EQ(family_class("LGA"), "leadless");
  EXPECT_EQ(family_class("BGA"), "array");
  EXPECT_EQ(family_class("DIP"), "through-hole");
  EXPECT_EQ(family_class("MODULE"), "module");
  EXPECT_FALSE(family_class("UNKNOWN").has_value());
}

TEST(FamiliesShareAClass, LeavesUnknownOut) {
  using Families = std::vector<std::string_view>;
  EXPECT_TRUE(families_share_a_class(Families{"SOIC", "VSSOP", "UNKNOWN"}));
  EXPECT_TRUE(families_share_a_class(Families{"QFN", "VQFN"}));
  EXPECT_TRUE(families_share_a_class(Families{"UNKNOWN", "LQFP"}));
  EXPECT_TRUE(families_share_a_class(Families{}));
  EXPECT_FALSE(families_share_a_class(Families{"LQFP", "QFN"}));
  EXPECT_FALSE(families_share_a_class(Families{"SOIC", "UNKNOWN", "DIP"}));
}

}  // namespace
}  // namespace tessan
