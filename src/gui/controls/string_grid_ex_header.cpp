#include "gui/controls/string_grid_ex_header.h"

#include <QPainter>

namespace tessarin {

StringGridHeader::StringGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

void StringGridHeader::SetSortArrow(int column, SortDirType direction) {
  if (column == arrowColumn_ && direction == arrowDirection_)
    return;
  const int old = arrowColumn_;
  arrowColumn_ = column;
  arrowDirection_ = direction;
  if (old >= 0)
    updateSection(old);
  if (column >= 0)
    updateSection(column);
}

void StringGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  // The style's drawing may leave its own clip behind.
  painter->save();
  QHeaderView::paintSection(painter, rect, logicalIndex);
  painter->restore();
  if (logicalIndex != arrowColumn_ || !rect.isValid())
    return;
  painter->save();
  // Corners as the grid counts them: right and bottom one past the last pixel.
  const int r = rect.x() + rect.width();
  const int t = rect.y();
  const int b = rect.y() + rect.height();
  painter->fillRect(QRect(r - kArrowArea, t, kArrowArea, rect.height()),
                    palette().color(QPalette::Button));
  const QPen light(Qt::white, 1);
  const QPen shadow(palette().color(QPalette::Dark), 1);
  if (arrowDirection_ == SortDirType::Descending) {
    painter->setPen(light);
    painter->drawLine(r - 6, t + 6, r - 13, t + 6);
    painter->drawLine(r - 13, t + 6, r - 10, b - 6);
    painter->setPen(shadow);
    painter->drawLine(r - 10, b - 6, r - 6, t + 6);
  } else {
    painter->setPen(light);
    painter->drawLine(r - 13, b - 6, r - 10, t + 6);
    painter->setPen(shadow);
    painter->drawLine(r - 10, t + 6, r - 6, b - 6);
    painter->drawLine(r - 6, b - 6, r - 13, b - 6);
  }
  painter->restore();
}

}  // namespace tessarin
