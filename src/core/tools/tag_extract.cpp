#include "core/tools/tag_extract.h"

namespace tessarin {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// 0-based index of the first `open` + name + `close` at or after `from`, npos when absent.
// Searching for the bare name and checking its neighbours avoids building the pattern.
std::size_t FindMarked(std::string_view text, std::string_view name, std::size_t from,
                       std::string_view open, char close) {
  std::size_t at = from + open.size();
  while (true) {
    at = text.find(name, at);
    if (at == kNone)
      return kNone;
    const std::size_t end = at + name.size();
    if (end < text.size() && text[end] == close &&
        text.substr(at - open.size(), open.size()) == open) {
      return at - open.size();
    }
    ++at;
  }
}

struct Element {
  std::size_t begin = 0;       // first character of the opening tag
  std::size_t valueBegin = 0;  // first character of the value
  std::size_t closing = 0;     // first character of the closing tag
};

// Finds the element whose opening tag starts at or after `from` (all indices 0-based).
bool FindElement(std::string_view text, std::string_view name, std::size_t from, Element& found) {
  std::size_t begin = FindMarked(text, name, from, "<", '>');
  std::size_t valueBegin = 0;
  if (begin != kNone) {
    valueBegin = begin + name.size() + 2;
  } else {
    // Opening tag with attributes: the value starts after the '>' that closes it. The scan
    // starts at the second character after the blank and never looks past the last character.
    begin = FindMarked(text, name, from, "<", ' ');
    if (begin == kNone)
      return false;
    std::size_t scan = begin + name.size() + 3;
    const std::size_t last = text.size() - 1;
    while (scan < last && text[scan] != '>')
      ++scan;
    valueBegin = scan + 1;
    if (valueBegin >= text.size())
      return false;
  }
  const std::size_t closing = FindMarked(text, name, valueBegin, "</", '>');
  if (closing == kNone)
    return false;
  found = Element{begin, valueBegin, closing};
  return true;
}

std::string ValueOf(std::string_view text, const Element& element) {
  return std::string(text.substr(element.valueBegin, element.closing - element.valueBegin));
}

}  // namespace

std::string ExtractTag(std::string_view text, std::string_view name) {
  Element element;
  if (!FindElement(text, name, 0, element))
    return {};
  return ValueOf(text, element);
}

std::string ExtractTagCut(std::string& text, std::string_view name) {
  Element element;
  if (!FindElement(text, name, 0, element))
    return {};
  std::string value = ValueOf(text, element);
  const std::size_t end = element.closing + name.size() + 3;
  text.erase(element.begin, end - element.begin);
  return value;
}

std::string ExtractTagFrom(std::string_view text, std::string_view name, std::size_t& position) {
  const std::size_t from = position > 1 ? position - 1 : 0;
  if (from >= text.size())
    return {};
  Element element;
  if (!FindElement(text, name, from, element))
    return {};
  position = element.closing + name.size() + 3 + 1;  // 1-based, just after the closing tag
  return ValueOf(text, element);
}

bool NextTag(std::string_view text, std::string_view name, std::size_t& position,
             std::string& value) {
  const std::size_t before = position;
  value = ExtractTagFrom(text, name, position);
  return position != before;
}

}  // namespace tessarin
