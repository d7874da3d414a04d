#pragma once
// Names from client files used as keys of Tessarin.ini (the result names of the checkpoint
// memory). Escaped like directory keys ("%" "=" "]" as %25 %3D %5D), and also what reading the
// file would take as a section header or comment or would trim or split: "[", ";", blanks and
// control characters, as %XX. So a key read back is always the name written.

#include <string>
#include <string_view>

namespace tessarin {

std::string EscapeIniKey(std::string_view name);

// Reverses EscapeIniKey; a '%' that starts no escape of it stays, so keys written unescaped by
// older versions read back as they stand.
std::string UnescapeIniKey(std::string_view key);

}  // namespace tessarin
