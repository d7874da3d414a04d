#include "core/projects/log_row.h"

#include "core/tools/csv.h"

namespace tessarin {

void LogRow::Separate() {
  if (!first_)
    text_ += ',';
  first_ = false;
}

LogRow& LogRow::Raw(std::string_view value) {
  Separate();
  text_ += UnquotedValue(value);
  return *this;
}

LogRow& LogRow::Quoted(std::string_view text) {
  Separate();
  text_ += QuoteText(text);
  return *this;
}

LogRow& LogRow::Count(std::uint32_t count) {
  Separate();
  text_ += std::to_string(count);
  return *this;
}

}  // namespace tessarin
