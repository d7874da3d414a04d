#pragma once
// Text from client files and logs printed to a terminal: a project name must not be able to
// drive it (colours, cursor moves, title changes, a cleared screen).

#include <cstddef>
#include <string>
#include <string_view>

namespace tessarin {

// Length of the valid UTF-8 sequence starting at `i`, or 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

// Control characters shown as '?': C0 except tab (so also line breaks and ESC), DEL, and C1,
// whether UTF-8 encoded (U+0080..U+009F) or as single bytes 0x80..0x9F outside a UTF-8
// sequence. Other bytes stay, valid UTF-8 or not.
std::string TerminalText(std::string_view text);

// A serialised JSON text (valid UTF-8) with DEL and C1 characters written as \u escapes, as
// JSON already writes C0 ones.
std::string EscapeJsonControls(std::string_view json);

}  // namespace tessarin
