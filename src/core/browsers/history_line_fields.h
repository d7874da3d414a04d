#pragma once
// The fields of one log line by the rules of SplitCsvLine with quotes stripped (fields end at
// the separator outside double quotes; quotes, CR and LF count as blanks; at most 100 fields of
// at most 255 characters, trimmed of blanks), but as views instead of 100 new strings per
// line: for a million-row log those strings alone would take longer than the whole reading.

#include <array>
#include <string>
#include <string_view>

#include "core/tools/csv.h"

namespace tessarin {

// Field k (1..100) at index k - 1; fields the line does not have are empty.
using LineFields = std::array<std::string_view, kMaxCsvFields>;

class LineSplitter {
 public:
  explicit LineSplitter(char separator);

  // Views point into `line` or, for a field with quotes or line breaks inside, into this
  // splitter; both must outlive them, and the next call replaces them.
  void Split(std::string_view line, LineFields& fields);

 private:
  enum : unsigned char { kPlain = 0, kQuote = 1, kLineBreak = 2, kSeparator = 4 };
  unsigned char ClassOf(char c) const { return classes_[static_cast<unsigned char>(c)]; }

  std::array<unsigned char, 256> classes_{};
  std::string scratch_;
  std::size_t filled_ = kMaxCsvFields;  // fields the last call may have set
};

}  // namespace tessarin
