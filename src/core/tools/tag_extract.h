#pragma once
// The program's only access to XML: plain substring search for <name> ... </name>.
// Positions are 1-based; 0 means "not found" or "start of text".

#include <string>
#include <string_view>

namespace tessarin {

// Value of the first element called `name`; `text` is unchanged. Empty when missing.
std::string ExtractTag(std::string_view text, std::string_view name);

// As ExtractTag, and on success the whole element is removed from `text`.
std::string ExtractTagCut(std::string& text, std::string_view name);

// Value of the first element that starts at or after `position` (0 or 1: the start).
// On success `position` moves to the character after the closing tag; otherwise unchanged.
std::string ExtractTagFrom(std::string_view text, std::string_view name, std::size_t& position);

// As ExtractTagFrom, telling an element with empty content from none: true when an element
// was found and `position` moved past it; `value` may then be empty.
bool NextTag(std::string_view text, std::string_view name, std::size_t& position,
             std::string& value);

}  // namespace tessarin
