#pragma once
// TStringGridEx: a text grid with one header row for browsing a large log. A click on a
// header cell sorts the rows by that column (numbers when every cell reads as one, text
// otherwise) and a second click reverses them; an engraved arrow marks the sorted column; a
// right click on the header opens the column menu that hides and shows columns; the arrow
// keys step over hidden columns and rows. The rules live in the core grid classes; this view
// only reads them, so cells are never widgets and a million rows cost about the log's size.

#include <QTableView>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/browsers/grid_columns.h"
#include "core/browsers/grid_rows.h"
#include "core/browsers/grid_table.h"

class QMenu;

namespace tessarin {

class StringGridHeader;
class StringGridModel;

class TStringGridEx : public QTableView {
  Q_OBJECT

 public:
  explicit TStringGridEx(QWidget* parent = nullptr);

  // Shows `table` in the order and with the hidden rows of `rows`, sized and hidden as
  // `columns` says. All three stay owned by the caller and must outlive their use here;
  // null for any of them empties the grid.
  void SetGrid(const GridTable* table, GridRows* rows, GridColumns* columns);

  int SortIndex() const;
  void SetSortIndex(int column);
  SortDirType SortDirection() const;
  void SetSortDirection(SortDirType direction);

  // Sorts by SortIndex in SortDirection, under the busy cursor; the current row follows.
  void SortByColumn();
  // Reverses the rows and flips SortDirection.
  void ReverseRows();
  // What a left click released on a header cell does.
  void HeaderClick(int column);

  void BuildColumnMenu(std::string_view mask);
  std::string ColumnMask() const;
  int VisibleColumnCount() const;
  void ToggleColumn(std::size_t item);
  // Every column as wide as its header + 20 or its widest cell + 5, in the grid's font.
  void AutoSizeColumns();

  void SuspendRedraw();
  void ResumeRedraw();
  // The rows' hidden marks changed (a filter): shows and hides them.
  void RowsChanged();

  // One check item per column; rebuilt by BuildColumnMenu.
  QMenu* ColumnMenu() const { return columnMenu_; }
  StringGridModel* GridModel() const { return model_; }
  StringGridHeader* Header() const { return header_; }

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  template <typename Reorder>
  void ReorderRows(Reorder reorder);
  void ApplyColumns();
  void RebuildMenuItems();
  void SyncMenuChecks();
  void ShowColumnMenu(const QPoint& position);
  void ColumnResized(int column, int oldSize, int newSize);
  void ShowSortArrow();

  const GridTable* table_ = nullptr;
  GridRows* rows_ = nullptr;
  GridColumns* columns_ = nullptr;
  StringGridModel* model_ = nullptr;
  StringGridHeader* header_ = nullptr;
  QMenu* columnMenu_ = nullptr;
  bool applyingColumns_ = false;
  int redrawSuspended_ = 0;
};

}  // namespace tessarin
