#include "core/browsers/history_line_fields.h"

#include <algorithm>

namespace tessarin {

namespace {

bool CountsAsBlank(char c) {
  return c == ' ' || c == '"' || c == '\r' || c == '\n';
}

}  // namespace

void SplitLineFields(std::string_view line, char separator, std::string& scratch,
                     LineFields& fields) {
  fields.fill({});
  scratch.clear();
  // Every rewritten field is at most as long as its part of the line, so the buffer never
  // grows and earlier views into it stay valid.
  scratch.reserve(line.size());
  bool inQuotes = false;  // carried across fields, as SplitCsvLine does
  std::size_t at = 0;
  for (std::size_t k = 0; k < fields.size() && at < line.size(); ++k) {
    const std::size_t start = at;
    bool rewrite = false;
    for (; at < line.size(); ++at) {
      const char c = line[at];
      if (c == '"') {
        inQuotes = !inQuotes;
        rewrite = true;
      } else if (c == '\r' || c == '\n') {
        rewrite = true;
      } else if (c == separator && !inQuotes) {
        break;
      }
    }
    std::string_view field = line.substr(start, std::min(at - start, kMaxCsvFieldLength));
    ++at;  // behind the separator
    while (!field.empty() && CountsAsBlank(field.front()))
      field.remove_prefix(1);
    while (!field.empty() && CountsAsBlank(field.back()))
      field.remove_suffix(1);
    if (rewrite && field.find_first_of("\"\r\n") != std::string_view::npos) {
      const std::size_t begin = scratch.size();
      for (char c : field)
        scratch += CountsAsBlank(c) ? ' ' : c;
      field = std::string_view(scratch).substr(begin);
    }
    fields[k] = field;
  }
}

}  // namespace tessarin
