#pragma once
// Draws a grid cell as a string grid does: its text 2 pixels in from the left, cut at the
// cell's edge rather than shortened with an ellipsis, so a column sized to its widest text
// + 5 shows every text whole. Cheaper per cell than the styled delegate, which matters when
// scrolling through a million rows.

#include <QAbstractItemDelegate>

namespace tessarin {

class StringGridDelegate : public QAbstractItemDelegate {
  Q_OBJECT

 public:
  static constexpr int kTextLeft = 2;
  static constexpr int kTextMargin = 5;

  explicit StringGridDelegate(QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tessarin
