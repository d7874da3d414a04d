// The tag extractors over any text: the first line is the element name, the rest the text.
#include <cstdlib>
#include <string>

#include "core/tools/tag_extract.h"
#include "fuzz_support.h"

using namespace tessarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const std::size_t lineEnd = input.find('\n');
  if (lineEnd == std::string_view::npos || lineEnd > 40)
    return 0;
  const std::string_view name = input.substr(0, lineEnd);
  const std::string_view text = input.substr(lineEnd + 1);

  const std::string value = ExtractTag(text, name);
  if (value.size() > text.size())
    std::abort();

  std::string cut(text);
  const std::string cutValue = ExtractTagCut(cut, name);
  // Cutting finds the same element as reading, and only ever removes text.
  if (cutValue != value || cut.size() > text.size())
    std::abort();
  if (!value.empty() && cut.size() + value.size() + 2 * name.size() + 5 > text.size())
    std::abort();

  // Walking from element to element always moves forward and never past the end.
  std::size_t position = 0;
  for (std::size_t steps = 0;; ++steps) {
    const std::size_t before = position;
    ExtractTagFrom(text, name, position);
    if (position == before)
      break;
    if (position < before || position > text.size() + 1 || steps > text.size())
      std::abort();
  }
  return 0;
}
