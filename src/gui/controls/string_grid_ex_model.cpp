#include "gui/controls/string_grid_ex_model.h"

#include <algorithm>

#include "gui/qt_text.h"

namespace tessarin {

StringGridModel::StringGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void StringGridModel::SetGrid(const GridTable* table, const GridRows* rows) {
  beginResetModel();
  table_ = table;
  rows_ = rows;
  CollectShownRows();
  endResetModel();
}

void StringGridModel::RowsChanged() {
  beginResetModel();
  CollectShownRows();
  endResetModel();
}

void StringGridModel::CollectShownRows() {
  shown_.clear();
  allShown_ = true;
  if (rows_ == nullptr)
    return;
  const std::size_t count = rows_->RowCount();
  for (std::size_t row = 0; row < count; ++row) {
    if (rows_->Hidden(row)) {
      allShown_ = false;
      break;
    }
  }
  if (allShown_)
    return;
  for (std::size_t row = 0; row < count; ++row) {
    if (!rows_->Hidden(row))
      shown_.push_back(static_cast<std::uint32_t>(row));
  }
  shown_.shrink_to_fit();
}

int StringGridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || table_ == nullptr || rows_ == nullptr)
    return 0;
  const std::size_t count =
      allShown_ ? std::min(rows_->RowCount(), table_->RowCount()) : shown_.size();
  return static_cast<int>(count);
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || table_ == nullptr)
    return 0;
  return static_cast<int>(table_->ColumnCount());
}

std::size_t StringGridModel::DisplayRow(int modelRow) const {
  const auto row = static_cast<std::size_t>(modelRow);
  return allShown_ ? row : shown_[row];
}

std::optional<int> StringGridModel::ModelRow(std::size_t displayRow) const {
  if (rows_ == nullptr || displayRow >= rows_->RowCount())
    return std::nullopt;
  if (allShown_)
    return static_cast<int>(displayRow);
  const auto found = std::lower_bound(shown_.begin(), shown_.end(), displayRow);
  if (found == shown_.end() || *found != displayRow)
    return std::nullopt;
  return static_cast<int>(found - shown_.begin());
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || table_ == nullptr || rows_ == nullptr)
    return {};
  if (role == Qt::DisplayRole) {
    const std::size_t stored = rows_->StoredRow(DisplayRow(index.row()));
    return ToQString(table_->Cell(stored, static_cast<std::size_t>(index.column())));
  }
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
  return {};
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || table_ == nullptr || section < 0 ||
      static_cast<std::size_t>(section) >= table_->ColumnCount())
    return {};
  if (role == Qt::DisplayRole)
    return ToQString(table_->Header()[static_cast<std::size_t>(section)]);
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
  return {};
}

}  // namespace tessarin
