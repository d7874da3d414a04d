#pragma once
// The data rows as the grid shows them: their order over a GridTable, which of them are
// hidden, the sort state and the current row. A widget only reads this. Display rows count
// from 0, the first data row under the header.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/browsers/grid_sort.h"
#include "core/browsers/grid_table.h"

namespace tessarin {

class GridRows {
 public:
  explicit GridRows(std::size_t rowCount);

  std::size_t RowCount() const { return order_.size(); }
  // Row of the table shown at `displayRow`.
  std::size_t StoredRow(std::size_t displayRow) const { return order_[displayRow]; }

  // A hidden row (height -1) keeps its place and stays hidden through sorting.
  bool Hidden(std::size_t displayRow) const { return hidden_[order_[displayRow]] != 0; }
  bool StoredRowHidden(std::size_t storedRow) const { return hidden_[storedRow] != 0; }
  void SetStoredRowHidden(std::size_t storedRow, bool hidden) { hidden_[storedRow] = hidden; }

  int SortIndex() const { return sortIndex_; }
  SortDirType SortDirection() const { return sortDirection_; }
  void SetSortIndex(int column) { sortIndex_ = column; }
  void SetSortDirection(SortDirType direction) { sortDirection_ = direction; }

  // Follows its row when the rows are reordered.
  std::optional<std::size_t> CurrentRow() const { return current_; }
  void SetCurrentRow(std::optional<std::size_t> displayRow) { current_ = displayRow; }

  // Reverses the rows and flips the direction, sorted before or not.
  void ReverseRows();
  // Sorts by SortIndex in SortDirection; descending lays the ascending order down from the
  // last row upwards.
  void SortByColumn(const GridTable& table);
  // A left click released on the header cell of `column` (not after resizing a column): the
  // sorted column only reverses, another one sorts ascending.
  void HeaderClick(const GridTable& table, int column);

 private:
  std::vector<std::uint32_t> order_;
  std::vector<std::uint8_t> hidden_;  // by stored row
  int sortIndex_ = 0;
  SortDirType sortDirection_ = SortDirType::Ascending;
  std::optional<std::size_t> current_;
};

}  // namespace tessarin
