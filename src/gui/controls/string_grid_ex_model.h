#pragma once
// The grid's cells as a table model that reads the core table in place: a QString is made
// only when a cell is asked for. Hidden rows (height -1) are left out of the model, so the
// view never lays them out and a filter over a million rows costs one pass.

#include <QAbstractTableModel>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/browsers/grid_rows.h"
#include "core/browsers/grid_table.h"

namespace tessarin {

class StringGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit StringGridModel(QObject* parent = nullptr);

  // Both stay owned by the caller; null shows nothing.
  void SetGrid(const GridTable* table, const GridRows* rows);
  // The rows were reordered, or rows were hidden or shown.
  void RowsChanged();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Display row (as GridRows counts them) of a model row, and back; nothing for a hidden one.
  std::size_t DisplayRow(int modelRow) const;
  std::optional<int> ModelRow(std::size_t displayRow) const;

 private:
  void CollectShownRows();

  const GridTable* table_ = nullptr;
  const GridRows* rows_ = nullptr;
  // Display rows that are shown, in order; empty while every row is shown.
  std::vector<std::uint32_t> shown_;
  bool allShown_ = true;
};

}  // namespace tessarin
