#include "core/browsers/history_line_fields.h"

#include <algorithm>

namespace tessarin {

namespace {

bool CountsAsBlank(char c) {
  return c == ' ' || c == '"' || c == '\r' || c == '\n';
}

}  // namespace

LineSplitter::LineSplitter(char separator) {
  classes_[static_cast<unsigned char>('"')] = kQuote;
  classes_[static_cast<unsigned char>('\r')] = kLineBreak;
  classes_[static_cast<unsigned char>('\n')] = kLineBreak;
  classes_[static_cast<unsigned char>(separator)] |= kSeparator;
}

void LineSplitter::Split(std::string_view line, LineFields& fields) {
  std::fill(fields.begin(), fields.begin() + static_cast<std::ptrdiff_t>(filled_),
            std::string_view());
  scratch_.clear();
  // Every rewritten field is at most as long as its part of the line, so the buffer never
  // grows and earlier views into it stay valid.
  scratch_.reserve(line.size());
  // Only a line with line breaks needs the slow look for them inside a field.
  const bool lineBreaks =
      line.find('\r') != std::string_view::npos || line.find('\n') != std::string_view::npos;
  std::size_t at = 0;
  std::size_t k = 0;
  for (; k < fields.size() && at < line.size(); ++k) {
    const std::size_t start = at;
    const std::size_t stored = start + kMaxCsvFieldLength;  // bytes beyond are not kept
    std::size_t quotes = 0;                                 // among the kept bytes
    while (at < line.size()) {
      const unsigned char type = ClassOf(line[at]);
      if (type == kSeparator)
        break;
      if (type != kQuote) {
        ++at;
        continue;
      }
      // Inside quotes only the closing quote counts; without one the field takes the rest.
      quotes += at < stored;
      const std::size_t closing = line.find('"', at + 1);
      if (closing == std::string_view::npos) {
        at = line.size();
        break;
      }
      quotes += closing < stored;
      at = closing + 1;
    }
    std::string_view field = line.substr(start, std::min(at - start, kMaxCsvFieldLength));
    ++at;  // behind the separator
    while (!field.empty() && CountsAsBlank(field.front())) {
      quotes -= field.front() == '"';
      field.remove_prefix(1);
    }
    while (!field.empty() && CountsAsBlank(field.back())) {
      quotes -= field.back() == '"';
      field.remove_suffix(1);
    }
    // Quotes and line breaks left inside the field become blanks.
    const bool rewrite =
        lineBreaks
            ? std::any_of(field.begin(), field.end(),
                          [this](char c) { return (ClassOf(c) & (kQuote | kLineBreak)) != 0; })
            : quotes > 0;
    if (rewrite) {
      const std::size_t begin = scratch_.size();
      for (char c : field)
        scratch_ += CountsAsBlank(c) ? ' ' : c;
      field = std::string_view(scratch_).substr(begin);
    }
    fields[k] = field;
  }
  filled_ = k;
}

}  // namespace tessarin
