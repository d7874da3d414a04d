#include "core/tools/terminal_text.h"

#include <cstdio>

namespace tessarin {

namespace {

bool IsC1Sequence(std::string_view text, std::size_t i, std::size_t length) {
  return length == 2 && static_cast<unsigned char>(text[i]) == 0xC2 &&
         static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

bool IsControlByte(unsigned char c) {
  return (c < 0x20 && c != '\t') || c == 0x7F || (c >= 0x80 && c <= 0x9F);
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  if (lead < 0x80)
    return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  else
    return 0;
  if (i + length > s.size())
    return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80)
      return 0;
  }
  const unsigned char second = byte(i + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

std::string TerminalText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (IsC1Sequence(text, i, length)) {
      shown += '?';
      i += length;
    } else if (length > 1) {
      shown.append(text, i, length);
      i += length;
    } else {
      const auto c = static_cast<unsigned char>(text[i]);
      shown += IsControlByte(c) ? '?' : text[i];
      ++i;
    }
  }
  return shown;
}

std::string EscapeJsonControls(std::string_view json) {
  std::string escaped;
  escaped.reserve(json.size());
  for (std::size_t i = 0; i < json.size(); ++i) {
    const auto c = static_cast<unsigned char>(json[i]);
    unsigned code = 0x100;
    if (c == 0x7F)
      code = c;
    else if (c == 0xC2 && i + 1 < json.size() && static_cast<unsigned char>(json[i + 1]) >= 0x80 &&
             static_cast<unsigned char>(json[i + 1]) <= 0x9F)
      code = static_cast<unsigned char>(json[++i]);
    if (code == 0x100) {
      escaped += json[i];
      continue;
    }
    char unit[8];
    std::snprintf(unit, sizeof unit, "\\u%04x", code);
    escaped += unit;
  }
  return escaped;
}

}  // namespace tessarin
