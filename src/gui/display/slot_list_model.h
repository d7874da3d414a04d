#pragma once
// The shown display list, as the grid's model. Lives on the user-interface thread only: a
// cycle's new list is swapped in whole, never changed while the grid reads it.

#include <QAbstractListModel>

#include "core/data/slot_info.h"

namespace tessarin {

class SlotListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  // Display role: host, project and status as one line (for accessibility and tests).
  QVariant data(const QModelIndex& index, int role) const override;

  // The entry of a row; nullptr for a row without one.
  const SlotInfo* Entry(int row) const;
  const DisplayList& Entries() const { return list_; }

  // The hand-over: `list` becomes the shown list.
  void Replace(DisplayList list);
  // Re-orders the shown list (SortSlots with an Options/SortBy value).
  void Sort(int sortBy);

 private:
  DisplayList list_;
};

}  // namespace tessarin
