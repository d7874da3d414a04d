#pragma once
// Small byte-string helpers. One byte is one character; comparisons are exact.
// Positions are 1-based; 0 means not found.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// First occurrence of `pattern` at or after `start` (0 or 1: from the beginning).
std::size_t PosFrom(std::string_view pattern, std::string_view text, std::size_t start);

// Part before the first `separator`; that part and the separator are removed from `text`.
// Without a separator the whole text is returned and `text` becomes empty.
std::string CutHead(std::string& text, char separator);

// Text from `position` up to the next `separator`; `position` moves behind it.
// Without a following separator the token is empty and `position` becomes separator.size().
std::string NextToken(std::string_view text, std::string_view separator, std::size_t& position);

// Occurrences of `c` plus one; an empty text gives 1.
int CountFields(std::string_view text, char c);

// Part before the first `c`, or the whole text.
std::string TextBefore(std::string_view text, char c);

bool TextInList(const std::vector<std::string>& list, std::string_view text);

// Removes leading and trailing blanks (code 32) only.
std::string TrimBlanks(std::string_view text);

// For texts longer than one character: drops one leading, then one trailing double quote.
std::string Unquote(std::string_view text);

std::string DeleteChars(std::string_view text, std::string_view chars);
void ReplaceCharInPlace(std::string& text, char oldChar, char newChar);
std::string ReplaceChar(std::string_view text, char oldChar, char newChar);

// Every occurrence replaced; the replacement is never searched again.
std::string ReplaceText(std::string_view text, std::string_view pattern,
                        std::string_view replacement);

// "%" -> "%25", "=" -> "%3D", "]" -> "%5D" (and back, in reverse order).
std::string EscapeIniText(std::string_view text);
std::string UnescapeIniText(std::string_view text);

// Drops every non-digit (and '-' unless allowed), then converts.
// Empty rest gives 0; an invalid 32-bit number throws std::invalid_argument/out_of_range.
std::int32_t DigitsToInt(std::string_view text, bool minusAllowed = false);

// Left-pads with '0' up to `width`; a negative number gets its zeros before the '-'.
std::string ZeroPadInt(std::int64_t value, int width);
std::string ZeroPadText(std::string_view text, int width);

// Empty stays empty; otherwise ensures one trailing directory separator.
std::string AddBackslash(std::string_view path);

// True when digits are a smaller share than `ratio` of the characters other than `ignored`.
// A text with nothing counted gives false.
bool DigitShareBelow(std::string_view text, char ignored, double ratio);

std::string UpperCase(std::string_view text);

// The first `width` bytes of `text`, less the start of a UTF-8 sequence that the cut would
// split; bytes that do not form UTF-8 (single-byte texts of older clients) are cut at `width`.
std::string CutToWidth(std::string_view text, std::size_t width);
std::string LowerCase(std::string_view text);
bool ContainsText(std::string_view text, std::string_view part);

}  // namespace tessarin
