#include "compare/conflict_list.hpp"

namespace tessan {

namespace {

constexpr std::string_view kEllipsis = "\u2026";

bool is_continuation_byte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

void clip_display_text(std::string& text) {
  if (text.size() <= kMaxDisplayTextBytes) return;
  std::size_t end = kMaxDisplayTextBytes - kEllipsis.size();
  while (end > 0 && is_continuation_byte(text[end])) --end;
  text.resize(end);
  text.append(kEllipsis);
}

std::vector<std::string> ConflictList::take() && {
  if (found_ > lines_.size()) {
    lines_.pop_back();
    lines_.push_back(std::string(kEllipsis) + " and " + std::to_string(found_ - lines_.size()) +
                     " more");
  }
  return std::move(lines_);
}

void bound_outcome_texts(AxisOutcome& outcome) {
  for (auto& [source, value] : outcome.values) clip_display_text(value);
  ConflictList bounded;
  for (std::string& line : outcome.conflicts) bounded.add([&] { return std::move(line); });
  outcome.conflicts = std::move(bounded).take();
}

}  // namespace tessan
