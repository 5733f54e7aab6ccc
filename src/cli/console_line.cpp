#include "cli/console_line.hpp"

namespace tessan {

namespace {

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
  return line.append(message);
}

// `prefix` and the two hexadecimal digits of `value`.
void append_escape(std::string& out, std::string_view prefix, unsigned value) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  out.append(prefix).push_back(kDigits[value >> 4]);
  out.push_back(kDigits[value & 0xF]);
}

}  // namespace

std::string escape_control_characters(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0U;
    if (byte == '\n') {
      shown.append("\\n");
    } else if (byte == '\r') {
      shown.append("\\r");
    } else if (byte == '\t') {
      shown.append("\\t");
    } else if (byte < 0x20 || byte == 0x7F) {
      append_escape(shown, "\\x", byte);
    } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      // U+0080 to U+009F, which some terminals take as control characters too.
      append_escape(shown, "\\u00", next);
      ++i;
    } else {
      shown.push_back(text[i]);
    }
  }
  return shown;
}

std::string format_console_line(LineKind kind, std::string_view message, bool styled) {
  const LineStyle style = style_of(kind);
  const std::string shown = escape_control_characters(message);
  std::string line = styled ? styled_line(style, shown) : plain_line(style, shown);
  line.push_back('\n');
  return line;
}

bool use_styled_lines(bool is_terminal, const char* no_color, const char* term) {
  const bool colour_refused = no_color != nullptr && *no_color != '\0';
  const bool dumb_terminal = term != nullptr && std::string_view(term) == "dumb";
  return is_terminal && !colour_refused && !dumb_terminal;
}

}  // namespace tessan
