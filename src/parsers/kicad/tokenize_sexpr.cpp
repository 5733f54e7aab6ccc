#include "parsers/kicad/tokenize_sexpr.hpp"

#include "parsers/kicad/sexpr_lexer.hpp"

namespace tessan {

SexprTokenList tokenize_sexpr(std::string text) {
  // Held on the heap so that views into a short (inline) string survive moves of the list.
  auto owned = std::make_unique<std::string>(std::move(text));
  std::vector<SexprToken> tokens;
  tokens.reserve(owned->size() / 8);
  SexprLexer lexer(*owned);
  SexprToken token;
  while (lexer.next(token)) tokens.push_back(token);
  return SexprTokenList(std::move(owned), std::move(tokens));
}

}  // namespace tessan
