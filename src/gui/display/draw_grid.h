#pragma once
// DrawGrid: the one-column grid of the monitoring display. Cells are painted by a delegate
// with CellPainter; a row past the end of the list stays untouched.

#include <QStyledItemDelegate>
#include <QTableView>

#include "gui/display/cell_painter.h"

namespace tessarin {

class SlotListModel;

class CellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit CellDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

  CellPainter& Painter() { return painter_; }
  const CellPainter& Painter() const { return painter_; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  CellPainter painter_;
};

class TDrawGrid : public QTableView {
  Q_OBJECT

 public:
  explicit TDrawGrid(SlotListModel& model, QWidget* parent = nullptr);

  CellDelegate& Delegate() { return *delegate_; }
  const CellDelegate& Delegate() const { return *delegate_; }

  // The cell height; each row is one pixel more for its grid line.
  void SetRowHeight(int height);
  int RowHeight() const { return rowHeight_; }
  int RowCount() const;
  // Column 0 as wide as the grid's client area.
  void FitColumn();
  // Height the grid needs beyond its client area (its border).
  int ChromeHeight() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  SlotListModel& model_;
  CellDelegate* delegate_;
  int rowHeight_ = 0;
};

}  // namespace tessarin
