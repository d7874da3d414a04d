#pragma once
// Grid tables built from rows of texts for the grid tests.

#include <string>
#include <string_view>
#include <vector>

#include "core/browsers/grid_table.h"

namespace tessarin::test {

inline GridTable MakeTable(std::vector<std::string> header,
                           const std::vector<std::vector<std::string>>& rows) {
  GridTable table(std::move(header));
  for (const std::vector<std::string>& row : rows) {
    const std::vector<std::string_view> cells(row.begin(), row.end());
    table.AppendRow(cells);
  }
  return table;
}

}  // namespace tessarin::test
