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

// Views point into `line` or, for a field with quotes or line breaks inside, into `scratch`;
// both must outlive them, and `scratch` is reused by the next call.
void SplitLineFields(std::string_view line, char separator, std::string& scratch,
                     LineFields& fields);

}  // namespace tessarin
