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

// What a control showing ToQString(original) holds now: `original` itself while the text is
// unchanged, so a name that is not UTF-8 is saved back byte for byte.
std::string ToBytesKeeping(const QString& text, const std::string& original);

}  // namespace tessarin
