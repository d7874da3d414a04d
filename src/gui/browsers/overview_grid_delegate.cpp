#include "gui/browsers/overview_grid_delegate.h"

#include <QPainter>

namespace tessarin {

namespace {

// The line's own pixel row and one of space above it.
constexpr int kGridLineRoom = 2;

}  // namespace

void OverviewGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  QStyleOptionViewItem text = option;
  text.rect.setBottom(option.rect.bottom() - kGridLineRoom);
  QStyledItemDelegate::paint(painter, text, index);
  painter->save();
  painter->setPen(option.palette.color(QPalette::Midlight));
  const QRect cell = option.rect;
  painter->drawLine(cell.bottomLeft(), cell.bottomRight());
  painter->drawLine(cell.topRight(), cell.bottomRight());
  painter->restore();
}

QSize OverviewGridDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
  return QStyledItemDelegate::sizeHint(option, index) + QSize(0, kGridLineRoom);
}

}  // namespace tessarin
