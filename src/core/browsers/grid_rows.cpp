#include "core/browsers/grid_rows.h"

#include <algorithm>
#include <numeric>

namespace tessarin {

GridRows::GridRows(std::size_t rowCount) : order_(rowCount), hidden_(rowCount, 0) {
  std::iota(order_.begin(), order_.end(), 0u);
}

void GridRows::ReverseRows() {
  std::reverse(order_.begin(), order_.end());
  if (current_ && *current_ < order_.size())
    current_ = order_.size() - 1 - *current_;
  sortDirection_ =
      sortDirection_ == SortDirType::Ascending ? SortDirType::Descending : SortDirType::Ascending;
}

void GridRows::SortByColumn(const GridTable& table) {
  if (sortIndex_ < 0)
    return;
  std::optional<std::uint32_t> currentStored;
  if (current_ && *current_ < order_.size())
    currentStored = order_[*current_];

  SortRowsByColumn(table, static_cast<std::size_t>(sortIndex_), order_);
  if (sortDirection_ == SortDirType::Descending)
    std::reverse(order_.begin(), order_.end());

  if (currentStored) {
    current_ = static_cast<std::size_t>(std::find(order_.begin(), order_.end(), *currentStored) -
                                        order_.begin());
  }
}

void GridRows::HeaderClick(const GridTable& table, int column) {
  if (column == sortIndex_) {
    ReverseRows();
    return;
  }
  sortIndex_ = column;
  sortDirection_ = SortDirType::Ascending;
  SortByColumn(table);
}

}  // namespace tessarin
