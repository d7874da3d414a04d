#pragma once
// Texts are bytes everywhere below the widgets; these are the only two doors.

#include <QString>
#include <string>
#include <string_view>

namespace tessarin {

// UTF-8 when the bytes are valid UTF-8, otherwise Latin-1 (older clients write single-byte
// texts), so no byte is ever lost to a replacement character.
QString ToQString(std::string_view bytes);

std::string ToBytes(const QString& text);

}  // namespace tessarin
