#include "gui/display/draw_grid.h"

#include <QHeaderView>
#include <QPainter>

#include "core/display/window_fit.h"
#include "gui/display/slot_list_model.h"

namespace tessarin {

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  const auto* model = qobject_cast<const SlotListModel*>(index.model());
  const SlotInfo* entry = model != nullptr ? model->Entry(index.row()) : nullptr;
  if (entry == nullptr)
    return;
  painter_.Paint(*painter, option.rect, *entry);
}

QSize CellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return option.rect.size();
}

TDrawGrid::TDrawGrid(SlotListModel& model, QWidget* parent)
    : QTableView(parent), model_(model), delegate_(new CellDelegate(this)) {
  setModel(&model_);
  setItemDelegate(delegate_);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setStretchLastSection(true);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  setShowGrid(true);
  setGridStyle(Qt::SolidLine);
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFocusPolicy(Qt::NoFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setContextMenuPolicy(Qt::CustomContextMenu);
  SetRowHeight(kNormalRowHeight);
}

void TDrawGrid::SetRowHeight(int height) {
  rowHeight_ = height;
  verticalHeader()->setDefaultSectionSize(height + 1);
}

int TDrawGrid::RowCount() const {
  return model_.rowCount();
}

void TDrawGrid::FitColumn() {
  setColumnWidth(0, viewport()->width());
}

int TDrawGrid::ChromeHeight() const {
  return 2 * frameWidth();
}

void TDrawGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  FitColumn();
}

}  // namespace tessarin
