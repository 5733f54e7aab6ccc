#include "cli/console_line.hpp"

namespace tessan {

namespace {

constexpr char kEsc = '\x1b';

constexpr std::string_view kGreen = "\x1b[32m";
constexpr std::string_view kRed = "\x1b[31m";
constexpr std::string_view kYellow = "\x1b[33m";
constexpr std::string_view kCyan = "\x1b[36m";
constexpr std::string_view kBold = "\x1b[1m";
constexpr std::string_view kDim = "\x1b[2m";
constexpr std::string_view kReset = "\x1b[0m";

struct LineStyle {
  std::string_view label;  // empty for info lines
  std::string_view colour;
  std::string_view weight;
};

LineStyle style_of(LineKind kind) {
  switch (kind) {
    case LineKind::Ok:
      return {"OK:", kGreen, kBold};
    case LineKind::Error:
      return {"ERROR:", kRed, kBold};
    case LineKind::Hint:
      return {"Hint:", "", kDim};
    case LineKind::Info:
      return {"", kCyan, ""};
    case LineKind::Warn:
      return {"WARN:", kYellow, kBold};
  }
  return {};
}

bool is_ascii_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string styled_line(const LineStyle& style, std::string_view message) {
  std::string line;
  if (style.label.empty()) {
    line.append(style.colour).append(message).append(kReset);
  } else {
    line.append(style.colour).append(style.weight).append(style.label).append(kReset);
    line.append(" ").append(message);
  }
  return line;
}

std::string plain_line(const LineStyle& style, std::string_view message) {
  std::string line;
  if (!style.label.empty()) line.append(style.label).append(" ");
  return line.append(strip_escape_sequences(message));
}

}  // namespace

std::string strip_escape_sequences(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kEsc && i + 1 < text.size() && text[i + 1] == '[') {
      i += 2;
      while (i < text.size() && !is_ascii_letter(text[i])) ++i;
      continue;  // the loop's ++i passes the letter
    }
    kept.push_back(text[i]);
  }
  return kept;
}

std::string format_console_line(LineKind kind, std::string_view message, bool styled) {
  const LineStyle style = style_of(kind);
  std::string line = styled ? styled_line(style, message) : plain_line(style, message);
  line.push_back('\n');
  return line;
}

bool use_styled_lines(bool is_terminal, const char* no_color) {
  return is_terminal && (no_color == nullptr || *no_color == '\0');
}

}  // namespace tessan
