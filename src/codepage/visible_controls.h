#pragma once
// Text from a file shown on a terminal: a control character in it would reach
// the terminal as a command (ESC sequences, a title set by OSC, a line break
// that invents a row), so each one is written out instead, the way C writes it.

#include <string>
#include <string_view>

namespace pointilla::codepage {

// The UTF-8 text with every C0 control, DEL and C1 control (U+0080 to U+009F)
// written as an escape: "\t", "\n", "\r", or "\x" and two lower-case hex digits
// ("\x1b", "\x7f", "\x9d"); a byte that is no valid UTF-8 is written the same
// way. Every other character, accents included, is left as it is.
std::string escapeControls(std::string_view utf8);

}  // namespace pointilla::codepage
