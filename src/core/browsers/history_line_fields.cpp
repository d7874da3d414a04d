#include "core/browsers/history_line_fields.h"

#include <algorithm>

namespace tessarin {

namespace {

// Character classes, looked up once per byte.
enum : unsigned char { kPlain = 0, kQuote = 1, kLineBreak = 2, kSeparator = 4 };

struct Classes {
  explicit Classes(char separator) {
    table['"'] = kQuote;
    table['\r'] = kLineBreak;
    table['\n'] = kLineBreak;
    table[static_cast<unsigned char>(separator)] |= kSeparator;
  }
  unsigned char operator()(char c) const { return table[static_cast<unsigned char>(c)]; }
  unsigned char table[256] = {};
};

bool CountsAsBlank(char c) {
  return c == ' ' || c == '"' || c == '\r' || c == '\n';
}

}  // namespace

void SplitLineFields(std::string_view line, char separator, std::string& scratch,
                     LineFields& fields) {
  const Classes classOf(separator);
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
      const unsigned char type = classOf(line[at]);
      if (type == kPlain)
        continue;
      if (type & kQuote) {
        inQuotes = !inQuotes;
        rewrite = true;
      } else if (type & kLineBreak) {
        rewrite = true;
      } else if (!inQuotes) {
        break;
      }
    }
    std::string_view field = line.substr(start, std::min(at - start, kMaxCsvFieldLength));
    ++at;  // behind the separator
    while (!field.empty() && CountsAsBlank(field.front()))
      field.remove_prefix(1);
    while (!field.empty() && CountsAsBlank(field.back()))
      field.remove_suffix(1);
    // Quotes and line breaks inside the field become blanks; a plain quoted value has its
    // quotes only at the ends, trimmed away above.
    if (rewrite && std::any_of(field.begin(), field.end(),
                               [&](char c) { return (classOf(c) & (kQuote | kLineBreak)) != 0; })) {
      const std::size_t begin = scratch.size();
      for (char c : field)
        scratch += CountsAsBlank(c) ? ' ' : c;
      field = std::string_view(scratch).substr(begin);
    }
    fields[k] = field;
  }
}

}  // namespace tessarin
