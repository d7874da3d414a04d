#include "core/tools/text.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessarin {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::size_t PosFrom(std::string_view pattern, std::string_view text, std::size_t start) {
  if (pattern.empty())
    return 0;
  const std::size_t from = start > 1 ? start - 1 : 0;
  if (from >= text.size())
    return 0;
  const std::size_t at = text.find(pattern, from);
  return at == std::string_view::npos ? 0 : at + 1;
}

std::string CutHead(std::string& text, char separator) {
  const std::size_t at = text.find(separator);
  std::string head;
  if (at == std::string::npos) {
    head.swap(text);
  } else {
    head = text.substr(0, at);
    text.erase(0, at + 1);
  }
  return head;
}

std::string NextToken(std::string_view text, std::string_view separator, std::size_t& position) {
  const std::size_t at = PosFrom(separator, text, position);
  const std::size_t from = position > 1 ? position : 1;
  std::string token;
  if (at >= from)
    token = std::string(text.substr(from - 1, at - from));
  position = at + separator.size();
  return token;
}

int CountFields(std::string_view text, char c) {
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), c));
}

std::string TextBefore(std::string_view text, char c) {
  return std::string(text.substr(0, text.find(c)));
}

bool TextInList(const std::vector<std::string>& list, std::string_view text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

std::string TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string Unquote(std::string_view text) {
  if (text.size() > 1) {
    if (text.front() == '"')
      text.remove_prefix(1);
    if (!text.empty() && text.back() == '"')
      text.remove_suffix(1);
  }
  return std::string(text);
}

std::string DeleteChars(std::string_view text, std::string_view chars) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (chars.find(c) == std::string_view::npos)
      result += c;
  }
  return result;
}

void ReplaceCharInPlace(std::string& text, char oldChar, char newChar) {
  std::replace(text.begin(), text.end(), oldChar, newChar);
}

std::string ReplaceChar(std::string_view text, char oldChar, char newChar) {
  std::string result(text);
  ReplaceCharInPlace(result, oldChar, newChar);
  return result;
}

// One left-to-right pass: each occurrence of the input is replaced once, and the scan goes on
// behind it, so neither a replacement nor a text joined by a deletion is searched again.
// The rule: delete the first occurrence, replace in the whole remaining text, then insert
// the replacement where the occurrence was. Deleting can join two halves into a new
// occurrence ("aabb" with "ab" gives "YYZZ" for "YZ"); the replacement itself is never
// searched. Done without recursion: the deletions run as one left-to-right pass, the
// insertions are applied afterwards, last deletion first.
std::string ReplaceText(std::string_view text, std::string_view pattern,
                        std::string_view replacement) {
  if (pattern.empty())
    return std::string(text);
  std::string rest;  // the text with every occurrence deleted so far
  rest.reserve(text.size());
  std::vector<std::size_t> deletedAt;  // 0-based, in the text as it was at each deletion
  bool joined = false;
  for (char c : text) {
    rest += c;
    if (rest.size() >= pattern.size() &&
        std::string_view(rest).substr(rest.size() - pattern.size()) == pattern) {
      rest.resize(rest.size() - pattern.size());
      joined = joined || (!deletedAt.empty() && rest.size() < deletedAt.back());
      deletedAt.push_back(rest.size());
    }
  }
  if (!joined) {
    // Positions only grow: the insertions land in order, in one pass.
    std::string result;
    result.reserve(rest.size() + deletedAt.size() * replacement.size());
    std::size_t from = 0;
    for (std::size_t at : deletedAt) {
      result.append(rest, from, at - from);
      result.append(replacement);
      from = at;
    }
    result.append(rest, from, std::string::npos);
    return result;
  }
  for (auto at = deletedAt.rbegin(); at != deletedAt.rend(); ++at) {
    rest.insert(std::min(*at, rest.size()), replacement);
  }
  return rest;
}

std::string EscapeIniText(std::string_view text) {
  return ReplaceText(ReplaceText(ReplaceText(text, "%", "%25"), "=", "%3D"), "]", "%5D");
}

std::string UnescapeIniText(std::string_view text) {
  return ReplaceText(ReplaceText(ReplaceText(text, "%5D", "]"), "%3D", "="), "%25", "%");
}

std::int32_t DigitsToInt(std::string_view text, bool minusAllowed) {
  std::string digits;
  for (char c : text) {
    if (IsDigit(c) || (minusAllowed && c == '-'))
      digits += c;
  }
  if (digits.empty())
    return 0;
  std::int32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (error == std::errc() && stop == end)
    return value;
  // The message ends up in the exception log's keys: keep it short whatever the input.
  const std::string shown = digits.size() > 24 ? digits.substr(0, 24) + "..." : digits;
  const std::string message = "'" + shown + "' is not a valid integer value";
  if (error == std::errc::result_out_of_range)
    throw std::out_of_range(message);
  throw std::invalid_argument(message);
}

std::string ZeroPadInt(std::int64_t value, int width) {
  return ZeroPadText(std::to_string(value), width);
}

std::string ZeroPadText(std::string_view text, int width) {
  std::string result(text);
  if (width > 0 && result.size() < static_cast<std::size_t>(width)) {
    result.insert(0, static_cast<std::size_t>(width) - result.size(), '0');
  }
  return result;
}

std::string AddBackslash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && result.back() != '/')
    result += '/';
  return result;
}

bool DigitShareBelow(std::string_view text, char ignored, double ratio) {
  int digits = 0;
  int counted = 0;
  for (char c : text) {
    if (IsDigit(c))
      ++digits;
    if (c != ignored)
      ++counted;
  }
  if (counted == 0)
    return false;
  return static_cast<double>(digits) / counted < ratio;
}

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

bool ContainsText(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::string CutToWidth(std::string_view text, std::size_t width) {
  if (text.size() <= width)
    return std::string(text);
  // Back to the lead byte of the character at the cut, at most three continuation bytes.
  std::size_t lead = width;
  const auto isContinuation = [&](std::size_t i) {
    return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
  };
  while (lead > 0 && width - lead < 3 && isContinuation(lead))
    --lead;
  const auto first = static_cast<unsigned char>(text[lead]);
  const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
  const bool splitsSequence = lead < width && first >= 0xC0 && lead + length > width;
  return std::string(text.substr(0, splitsSequence ? lead : width));
}

}  // namespace tessarin
