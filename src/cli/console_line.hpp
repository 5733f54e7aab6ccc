// The text of one console line, in its plain and its terminal (styled) form.
#pragma once

#include <string>
#include <string_view>

namespace tessan {

enum class LineKind { Ok, Error, Hint, Info, Warn };

// The whole line, line feed included. The styled form colours the label (or, for info lines,
// the message) with ANSI escapes and keeps the message as given; the plain form has no label
// colour and strips escape sequences from the message.
std::string format_console_line(LineKind kind, std::string_view message, bool styled);

// `text` without its ESC '[' ... letter sequences; an ESC not followed by '[' stays.
std::string strip_escape_sequences(std::string_view text);

// Whether a stream gets the styled form: it is a terminal and NO_COLOR is unset or empty.
bool use_styled_lines(bool is_terminal, const char* no_color);

}  // namespace tessan
