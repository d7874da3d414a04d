#include "gui/display/slot_list_model.h"

#include "core/display/sort_slots.h"
#include "gui/qt_text.h"

namespace tessarin {

int SlotListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.size());
}

QVariant SlotListModel::data(const QModelIndex& index, int role) const {
  const SlotInfo* entry = index.isValid() ? Entry(index.row()) : nullptr;
  if (entry == nullptr)
    return {};
  if (role == Qt::ToolTipRole && !entry->LostReason.empty())
    return ToQString(entry->StatusText + " (" + entry->LostReason + ")");
  if (role != Qt::DisplayRole)
    return {};
  return ToQString(entry->HostName + " - " + entry->ProjectName + " - " + entry->StatusText);
}

const SlotInfo* SlotListModel::Entry(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= list_.size())
    return nullptr;
  return &list_[static_cast<std::size_t>(row)];
}

void SlotListModel::Replace(DisplayList list) {
  beginResetModel();
  list_.swap(list);
  endResetModel();
}

void SlotListModel::Sort(int sortBy) {
  emit layoutAboutToBeChanged();
  SortSlots(list_, sortBy);
  emit layoutChanged();
}

}  // namespace tessarin
