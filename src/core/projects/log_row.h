#pragma once
// One CSV row under the log conventions: values joined by ',', texts quoted, values from
// client files copied unquoted.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace tessarin {

class LogRow {
 public:
  // `start` is written as it stands (a log row prefix already ends with ',').
  explicit LogRow(std::string start = {}) : text_(std::move(start)) {}

  // A value from a client file, unquoted (UnquotedValue).
  LogRow& Raw(std::string_view value);
  // A text value through QuoteText.
  LogRow& Quoted(std::string_view text);
  LogRow& Count(std::uint32_t count);

  const std::string& Text() const { return text_; }

 private:
  void Separate();

  std::string text_;
  bool first_ = true;
};

}  // namespace tessarin
