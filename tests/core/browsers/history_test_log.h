#pragma once
// Small boinc.csv texts for the History tests.

#include <map>
#include <string>
#include <vector>

#include "core/browsers/history_columns.h"
#include "core/data/log_files.h"

namespace tessarin::test {

// One row in the logger's column order, every value in double quotes; unnamed columns empty.
inline std::string LogRow(const std::map<std::string, std::string>& values, char separator = ',') {
  std::string row;
  const std::vector<std::string>& columns = LogColumns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0)
      row += separator;
    const auto found = values.find(columns[i]);
    if (found != values.end())
      row += '"' + found->second + '"';
  }
  return row;
}

// The logger's header followed by the rows, each behind CR LF as the logger writes them.
inline std::string LogText(const std::vector<std::string>& rows) {
  std::string text = logs::kBoincCsvHeader;
  for (const std::string& row : rows)
    text += "\r\n" + row;
  return text;
}

}  // namespace tessarin::test
