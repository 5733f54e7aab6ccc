#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "parsers/kicad/tokenize_sexpr.hpp"

namespace tessan {

// Readable failure output.
void PrintTo(const SexprToken& token, std::ostream* out) {
  static const char* const kNames[] = {"Open", "Close", "Quoted", "Atom"};
  *out << kNames[static_cast<int>(token.kind)] << "("
       << ::testing::PrintToString(std::string(token.text)) << ")";
}

namespace {

constexpr auto Open = SexprTokenKind::Open;
constexpr auto Close = SexprTokenKind::Close;
constexpr auto Quoted = SexprTokenKind::Quoted;
constexpr auto Atom = SexprTokenKind::Atom;

// The tokens view the list's text, so they are compared while the list lives.
void expect_tokens(std::string input, const std::vector<SexprToken>& expected, const char* what) {
  const auto list = tokenize_sexpr(std::move(input));
  EXPECT_EQ(std::vector<SexprToken>(list.begin(), list.end()), expected) << what;
}

struct TokenizerCase {
  const char* what;
  std::string input;
  std::vector<SexprToken> expected;
};

TEST(SexprTokenizerTest, TokenizesByteByByte) {
  const std::vector<TokenizerCase> cases = {
      {"empty", "", {}},
      {"separators only", " \t\n\f\r ", {}},
      {"list",
       "(pin 1.27 \"VDD\")",
       {{Open, ""}, {Atom, "pin"}, {Atom, "1.27"}, {Quoted, "VDD"}, {Close, ""}}},
      {"every separator",
       "a\tb\nc\fd\re f",
       {{Atom, "a"}, {Atom, "b"}, {Atom, "c"}, {Atom, "d"}, {Atom, "e"}, {Atom, "f"}}},
      {"vertical tab is part of an atom", "a\vb \v", {{Atom, "a\vb"}, {Atom, "\v"}}},
      {"quote inside an atom", "abc\"def\"", {{Atom, "abc\"def\""}}},
      {"atom right after a string", "\"abc\"def", {{Quoted, "abc"}, {Atom, "def"}}},
      {"parentheses end atoms",
       "a(b)c",
       {{Atom, "a"}, {Open, ""}, {Atom, "b"}, {Close, ""}, {Atom, "c"}}},
      {"parentheses inside strings", "\"(a)\"", {{Quoted, "(a)"}}},
      {"empty string", "\"\"\"\"", {{Quoted, ""}, {Quoted, ""}}},
      {"escaped quote", R"("say \"hi\"" x)", {{Quoted, "say \"hi\""}, {Atom, "x"}}},
      {"doubled backslash", R"("a\\" b)", {{Quoted, "a\\"}, {Atom, "b"}}},
      {"no escape letters", R"("a\nb\tc")", {{Quoted, "anbtc"}}},
      {"escaped separator and UTF-8", "\"\\ \\\xc3\xa9\"", {{Quoted, " \xc3\xa9"}}},
      {"unterminated string", "(name \"VDD (x)", {{Open, ""}, {Atom, "name"}, {Quoted, "VDD (x)"}}},
      {"backslash ends the input", "\"ab\\", {{Quoted, "ab\\"}}},
      {"escaped quote ends the input", "\"ab\\\"", {{Quoted, "ab\""}}},
      {"backslash outside strings", "a\\\"b", {{Atom, "a\\\"b"}}},
      {"unbalanced", "))((", {{Close, ""}, {Close, ""}, {Open, ""}, {Open, ""}}},
      {"NUL is a word byte", std::string("a\0b", 3), {{Atom, std::string_view("a\0b", 3)}}},
  };
  for (const auto& c : cases) expect_tokens(c.input, c.expected, c.what);
}

TEST(SexprTokenizerTest, TextsStayValidWhenTheListMoves) {
  std::vector<SexprTokenList> lists;
  for (int i = 0; i < 50; ++i) lists.push_back(tokenize_sexpr("(a \"b\\\"c\")"));
  for (const auto& list : lists) {
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].text, "a");
    EXPECT_EQ(list[2].text, "b\"c");
  }
}

TEST(SexprTokenizerTest, MillionsOfParenthesesTokenizeFlat) {
  const auto list = tokenize_sexpr(std::string(1'000'000, '('));
  ASSERT_EQ(list.size(), 1'000'000u);
  EXPECT_EQ(list[999'999].kind, Open);
}

}  // namespace
}  // namespace tessan
