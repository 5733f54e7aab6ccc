// The text of one console line, in its plain and its terminal (styled) form.
#pragma once

#include <string>
#include <string_view>

namespace tessan {

enum class LineKind { Ok, Error, Hint, Info, Warn };

// The whole line, line feed included. The styled form colours the label (or, for info lines,
// the message) with ANSI escapes; the plain form has no colour. In both, the message's control
// characters are shown escaped, so that the tool's own colour codes are the only ones written
// and a message, whatever text of a library file it quotes, stays one line.
std::string format_console_line(LineKind kind, std::string_view message, bool styled);

// `text` with every C0 control character and DEL written as a visible escape ("\n", "\r",
// "\t", else "\x1b" and the like), and the C1 controls U+0080 to U+009F as "\u0080" to
// "\u009f". Everything else, multi-byte text included, is kept.
std::string escape_control_characters(std::string_view text);

// Whether a stream gets the styled form: it is a terminal, NO_COLOR is unset or empty, and
// TERM is not "dumb".
bool use_styled_lines(bool is_terminal, const char* no_color, const char* term);

}  // namespace tessan
