#include "cli/inspect_summary.hpp"

#include <string_view>

#include "cli/typed_path.hpp"
#include "parsers/read_text_file.hpp"
#include "result_doc_json.hpp"

namespace tessan {

namespace {

constexpr std::size_t kAxisNameWidth = 16;

std::size_t character_count(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

std::string right_aligned(std::string_view text, std::size_t width) {
  const std::size_t length = character_count(text);
  std::string aligned(length < width ? width - length : 0, ' ');
  return aligned.append(text);
}

std::string quoted_list(const std::vector<std::string>& names) {
  std::string text = "[";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += ", ";
    text += "\"" + names[i] + "\"";
  }
  return text + "]";
}

void append_axes(const std::vector<AxisOutcome>& axes, std::vector<std::string>& lines) {
  lines.push_back("Axes:");
  for (const AxisOutcome& axis : axes) {
    lines.push_back("  " + right_aligned(axis.axis, kAxisNameWidth) + "  " +
                    std::string(verdict_enum_name(axis.verdict)));
    for (const std::string& conflict : axis.conflicts) lines.push_back("    ! " + conflict);
  }
}

void append_hints(const std::vector<Hint>& hints, std::vector<std::string>& lines) {
  if (hints.empty()) return;
  lines.push_back("Hints:");
  for (const Hint& hint : hints) {
    const auto compact = serialize_hint_compact(hint);
    lines.push_back("  - " + (compact ? *compact : std::string()));
  }
}

}  // namespace

std::string inspect_name(const std::filesystem::path& chip_dir) {
  const auto last = typed_last_component(chip_dir);
  if (!last || !is_valid_utf8(*last)) return "?";
  return *last;
}

std::vector<std::string> inspect_summary_lines(const ResultDoc& doc) {
  std::vector<std::string> lines;
  lines.push_back("MPN: " + doc.mpn +
                  " \u2014 status: " + std::string(status_enum_name(doc.status)) +
                  ", exit_code: " + std::to_string(doc.exit_code));
  lines.push_back("Sources compared: " + quoted_list(doc.sources_compared));
  if (!doc.sources_missing.empty()) {
    lines.push_back("Sources missing:  " + quoted_list(doc.sources_missing));
  }
  append_axes(doc.axes, lines);
  append_hints(doc.hints, lines);
  return lines;
}

}  // namespace tessan
