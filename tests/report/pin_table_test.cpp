// The pins side by side: rows in natural order, and every name that differs from the
// reference marked benign (with the rule) or real.
#include <gtest/gtest.h>

#include <algorithm>

#include "compare/source_builder.hpp"
#include "report/pin_table.hpp"
#include "report/review_fixtures.hpp"

namespace tessan::testing {
namespace {

using report::natural_less;
using report::pin_section;

TEST(NaturalOrder, NumbersByValueThenLettersAndDigitRuns) {
  std::vector<std::string> numbers = {"A10", "10", "B1", "2", "A2", "EP", "1", "A1", "01x", "9"};
  std::sort(numbers.begin(), numbers.end(), natural_less);
  EXPECT_EQ(numbers,
            (std::vector<std::string>{"1", "01x", "2", "9", "10", "A1", "A2", "A10", "B1", "EP"}));
}

// The row of pin `number`.
std::string row(const std::string& html, const std::string& number) {
  return between(html, "<tr><th>" + number + "</th>", "</tr>");
}

TEST(PinSection, OneRowPerPinNumberInNaturalOrderWithNameAndPads) {
  const std::vector<SourceData> records = {
      source("kicad").pin("10", "A").pin("2", "B").pin("A1", "C").pads({"2", "10", "10_1", "A1"}),
      source("eagle").pin("2", "B").pin("A1", "C")};
  const std::string html = pin_section(records, {});
  const auto at = [&](const std::string& n) { return html.find("<tr><th>" + n + "</th>"); };
  EXPECT_LT(at("2"), at("10"));
  EXPECT_LT(at("10"), at("A1"));
  EXPECT_NE(row(html, "10")
                .find("<span class=\"name\">A</span><span class=\"pads\">pads 10, "
                      "10_1</span>"),
            std::string::npos);
  EXPECT_NE(row(html, "10").find("<td class=\"cell unmatched\"><span class=\"absent\">"),
            std::string::npos);
}

struct MarkCase {
  std::string test_name;
  std::string reference_name;
  std::string other_name;
  std::string cell;
};

class MarksTheCell : public ::testing::TestWithParam<MarkCase> {};

TEST_P(MarksTheCell, AgainstTheReference) {
  const auto& c = GetParam();
  const std::vector<SourceData> records = {source("quarn").pin("1", c.reference_name).pin("2", "X"),
                                           source("kicad").pin("1", c.other_name).pin("2", "X")};
  EXPECT_NE(row(pin_section(records, {}), "1").find(c.cell), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, MarksTheCell,
    ::testing::Values(MarkCase{"Same", "VCC", "VCC",
                               "<td class=\"cell same\"><span class=\"name\">VCC</span>"},
                      MarkCase{"ActiveLow", "nSLEEP", "~{SLEEP}",
                               "~{SLEEP}</span><span class=\"rule\">benign: "
                               "active-low mark</span>"},
                      MarkCase{"PowerAlias", "VDD", "VCC", "benign: power alias"},
                      MarkCase{"Normalized", "in-1", "IN_1", "benign: same name once normalized"},
                      MarkCase{"Real", "~{CHRG}", "CHAR",
                               "<td class=\"cell real\"><span class=\"name\">CHAR</span><span "
                               "class=\"rule\">differs from quarn</span>"}),
    [](const auto& info) { return info.param.test_name; });

TEST(PinSection, AMovedNameIsRealEvenWhereTheRuleWouldAccept) {
  const std::vector<SourceData> records = {source("quarn").named_pins({"VDD", "VCC"}),
                                           source("kicad").named_pins({"VCC", "VDD"})};
  EXPECT_NE(row(pin_section(records, {}), "1").find("cell real"), std::string::npos);
}

TEST(PinSection, StubNamesAreBenignOnlyWhereTheVariantExplainsThem) {
  const std::vector<SourceData> records = {source("quarn").named_pins({"VCC", "GND"}),
                                           source("eagle").stub_pins(1, 2)};
  const std::vector<Variant> stubs = {StubSymbolPinNames{{"eagle"}, {"quarn"}}};
  EXPECT_NE(row(pin_section(records, stubs), "1").find("benign: stub name"), std::string::npos);
  EXPECT_NE(row(pin_section(records, {}), "1").find("cell real"), std::string::npos);
}

TEST(PinSection, TheReferenceIsTheFirstSourceWithNamedPins) {
  const std::vector<SourceData> records = {source("eagle").stub_pins(1, 2),
                                           source("kicad").named_pins({"VCC", "GND"})};
  const std::string html = pin_section(records, {});
  EXPECT_NE(html.find("kicad <span class=\"note\">(reference)</span>"), std::string::npos);
  EXPECT_NE(row(html, "1").find("differs from kicad"), std::string::npos);
}

}  // namespace
}  // namespace tessan::testing
