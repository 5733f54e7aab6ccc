// A whole S-expression file as a flat list of tokens.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "parsers/kicad/sexpr_token.hpp"

namespace tessan {

// The tokens of one text, in input order. It owns the text its tokens view; moving the list
// keeps the views valid.
class SexprTokenList {
 public:
  SexprTokenList(std::unique_ptr<std::string> text, std::vector<SexprToken> tokens)
      : text_(std::move(text)), tokens_(std::move(tokens)) {}

  std::span<const SexprToken> tokens() const { return tokens_; }
  std::size_t size() const { return tokens_.size(); }
  const SexprToken& operator[](std::size_t i) const { return tokens_[i]; }
  auto begin() const { return tokens_.begin(); }
  auto end() const { return tokens_.end(); }

 private:
  std::unique_ptr<std::string> text_;
  std::vector<SexprToken> tokens_;
};

// Never fails: unbalanced or truncated input tokenizes as far as it goes.
SexprTokenList tokenize_sexpr(std::string text);

}  // namespace tessan
