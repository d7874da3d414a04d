#pragma once
// Draws each Overview cell as usual and adds the horizontal and vertical grid lines, in a
// row of their own below the text, so underscores stay visible.

#include <QStyledItemDelegate>

namespace tessarin {

class OverviewGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tessarin
