#pragma once
// The grid's header row: its cells as the style draws them, and in the sorted column a small
// engraved arrow in the rightmost 18 pixels, pointing up for ascending and down for
// descending order.

#include <QHeaderView>

#include "core/browsers/grid_sort.h"

namespace tessarin {

class StringGridHeader : public QHeaderView {
  Q_OBJECT

 public:
  static constexpr int kArrowArea = 18;

  explicit StringGridHeader(QWidget* parent = nullptr);

  // -1 draws no arrow.
  void SetSortArrow(int column, SortDirType direction);
  int ArrowColumn() const { return arrowColumn_; }
  SortDirType ArrowDirection() const { return arrowDirection_; }

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  int arrowColumn_ = -1;
  SortDirType arrowDirection_ = SortDirType::Ascending;
};

}  // namespace tessarin
