#include "core/tools/ini_key.h"

namespace tessarin {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool Escaped(unsigned char c) {
  return c == '%' || c == '=' || c == ']' || c == '[' || c == ';' || c <= ' ' || c == 0x7F;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string EscapeIniKey(std::string_view name) {
  std::string key;
  key.reserve(name.size());
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (Escaped(byte)) {
      key += '%';
      key += kHexDigits[byte >> 4];
      key += kHexDigits[byte & 0x0F];
    } else {
      key += c;
    }
  }
  return key;
}

std::string UnescapeIniKey(std::string_view key) {
  std::string name;
  name.reserve(key.size());
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (key[i] == '%' && i + 2 < key.size()) {
      const int high = HexValue(key[i + 1]);
      const int low = HexValue(key[i + 2]);
      if (high >= 0 && low >= 0 && Escaped(static_cast<unsigned char>(high * 16 + low))) {
        name += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    name += key[i];
  }
  return name;
}

}  // namespace tessarin
