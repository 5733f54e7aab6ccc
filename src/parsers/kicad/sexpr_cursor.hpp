// Positions in a token sequence for the KiCad walks, which look at most two tokens ahead.
// Both cursors offer the same operations, so one walk serves a token list and a text read
// token by token.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "parsers/kicad/sexpr_lexer.hpp"
#include "parsers/kicad/sexpr_token.hpp"

namespace tessan {

inline constexpr std::size_t kSexprLookahead = 3;  // the current token and two more

// Over a token list.
class SexprListCursor {
 public:
  explicit SexprListCursor(std::span<const SexprToken> tokens) : tokens_(tokens) {}

  // The token `ahead` places after the current one, or null past the end.
  const SexprToken* peek(std::size_t ahead) const {
    return index_ + ahead < tokens_.size() ? &tokens_[index_ + ahead] : nullptr;
  }
  void advance() { ++index_; }
  bool done() const { return index_ >= tokens_.size(); }

 private:
  std::span<const SexprToken> tokens_;
  std::size_t index_ = 0;
};

// Over a text, tokenized as the walk goes: only the look-ahead window is ever held.
class SexprStreamCursor {
 public:
  explicit SexprStreamCursor(std::span<char> text) : lexer_(text) { fill(); }

  const SexprToken* peek(std::size_t ahead) const {
    return ahead < count_ ? &window_[(head_ + ahead) & kSlotMask] : nullptr;
  }
  void advance() {
    head_ = (head_ + 1) & kSlotMask;
    --count_;
    fill();
  }
  bool done() const { return count_ == 0; }

 private:
  // A ring of four slots, so that positions wrap with a mask.
  static constexpr std::size_t kSlots = 4;
  static constexpr std::size_t kSlotMask = kSlots - 1;

  void fill() {
    while (count_ < kSexprLookahead && lexer_.next(window_[(head_ + count_) & kSlotMask])) {
      ++count_;
    }
  }

  SexprLexer lexer_;
  std::array<SexprToken, kSlots> window_{};
  std::size_t head_ = 0;
  std::size_t count_ = 0;
};

}  // namespace tessan
