// The rule that accepts two spellings of one pin name, as the review page names it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "compare/naming_convention.hpp"
#include "compare/normalize.hpp"

namespace tessan {
namespace {

struct RuleCase {
  std::string a;
  std::string b;
  std::optional<std::string> rule;
};

class BenignRenameRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(BenignRenameRule, NamesTheFirstRuleThatAccepts) {
  const std::string a = normalize_pin_name(GetParam().a);
  const std::string b = normalize_pin_name(GetParam().b);
  const auto rule = benign_rename_rule(a, b);
  EXPECT_EQ(rule ? std::optional<std::string>(*rule) : std::nullopt, GetParam().rule);
  EXPECT_EQ(is_benign_rename(a, b), GetParam().rule.has_value());
}

INSTANTIATE_TEST_SUITE_P(Pairs, BenignRenameRule,
                         ::testing::Values(RuleCase{"OUT1", "1OUT", "same words in another order"},
                                           RuleCase{"VDD", "VCC", "power alias"},
                                           RuleCase{"IN_A", "INA", "underscores only"},
                                           RuleCase{"nSLEEP", "~{SLEEP}", "active-low mark"},
                                           RuleCase{"EPAD", "EP", "exposed-pad names"},
                                           RuleCase{"PC6_~{RESET}", "RESET",
                                                    "one name's parts within the other's"},
                                           RuleCase{"RESET", "GND", std::nullopt}));

}  // namespace
}  // namespace tessan
