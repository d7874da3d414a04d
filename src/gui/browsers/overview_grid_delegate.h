#pragma once
// Draws each Overview cell as usual and adds the horizontal and vertical grid lines.

#include <QStyledItemDelegate>

namespace tessarin {

class OverviewGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace tessarin
