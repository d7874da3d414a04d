#include "core/browsers/history_columns.h"

#include "core/data/log_files.h"
#include "core/tools/csv.h"
#include "core/tools/text.h"

namespace tessarin {

const std::vector<std::string>& LogColumns() {
  static const std::vector<std::string> columns = [] {
    const FieldArray fields = SplitCsvLine(logs::kBoincCsvHeader, ',', true);
    const int count = CountFields(logs::kBoincCsvHeader, ',');
    std::vector<std::string> names;
    for (int k = 1; k <= count; ++k)
      names.push_back(fields[k]);
    return names;
  }();
  return columns;
}

std::vector<std::string> HistoryGridHeader() {
  std::vector<std::string> header{kNumberColumnCaption};
  const std::vector<std::string>& names = LogColumns();
  header.insert(header.end(), names.begin(), names.end());
  return header;
}

std::string ChooseColumnMask(std::string_view storedMask, std::size_t columnCount) {
  if (storedMask.size() == columnCount)
    return std::string(storedMask);
  return kDefaultHistoryMask;
}

}  // namespace tessarin
