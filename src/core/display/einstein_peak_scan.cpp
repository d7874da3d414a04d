#include "core/display/einstein_peak_scan.h"

#include <string>

#include "core/tools/number_format.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

// The value of one line: what is left after removing the leading fields, blanks trimmed before
// each removal. In the five-field layout the fourth field is cut without trimming first.
std::string LineValue(std::string_view line, EinsteinResultLayout layout) {
  const bool fiveFields = layout == EinsteinResultLayout::kFiveFields;
  const int leadingFields = fiveFields ? 4 : 6;
  std::string rest(line);
  for (int field = 1; field <= leadingFields; ++field) {
    if (!(fiveFields && field == 4))
      rest = TrimBlanks(rest);
    CutHead(rest, ' ');
  }
  return TrimBlanks(rest);
}

}  // namespace

void ScanEinsteinPeaks(std::string_view text, EinsteinResultLayout layout, SlotInfo& entry) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    const std::string value = LineValue(line, layout);
    if (value.empty())
      return;
    ++entry.PeakCount;
    const double peak = StrToFloatSafe(value);
    if (peak > entry.PeakValue)
      entry.PeakValue = peak;
    if (end == std::string_view::npos)
      return;
    start = end + 1;
  }
}

}  // namespace tessarin
