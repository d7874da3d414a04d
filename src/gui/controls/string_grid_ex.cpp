#include "gui/controls/string_grid_ex.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>

#include "core/browsers/grid_auto_size.h"
#include "core/browsers/grid_keys.h"
#include "gui/controls/string_grid_ex_delegate.h"
#include "gui/controls/string_grid_ex_header.h"
#include "gui/controls/string_grid_ex_model.h"
#include "gui/qt_text.h"

namespace tessarin {

namespace {

// A caption shows every '&' it has instead of taking it for a shortcut mark.
QString MenuCaption(const std::string& caption) {
  return ToQString(caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

TStringGridEx::TStringGridEx(QWidget* parent) : QTableView(parent) {
  header_ = new StringGridHeader(this);
  setHorizontalHeader(header_);
  model_ = new StringGridModel(this);
  setModel(model_);
  setItemDelegate(new StringGridDelegate(this));
  columnMenu_ = new QMenu(this);

  header_->setSectionsClickable(true);
  header_->setSectionsMovable(false);
  header_->setHighlightSections(false);
  header_->setStretchLastSection(false);
  header_->setSectionResizeMode(QHeaderView::Interactive);
  header_->setMinimumSectionSize(1);
  header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(header_, &QHeaderView::sectionClicked, this, &TStringGridEx::HeaderClick);
  connect(header_, &QHeaderView::sectionResized, this, &TStringGridEx::ColumnResized);
  connect(header_, &QWidget::customContextMenuRequested, this, &TStringGridEx::ShowColumnMenu);

  // Every row is as high as the next: the view then never measures rows one by one.
  QHeaderView* rowsHeader = verticalHeader();
  rowsHeader->hide();
  rowsHeader->setMinimumSectionSize(1);
  rowsHeader->setSectionResizeMode(QHeaderView::Fixed);

  // One current cell, as in a string grid; a header press then selects no column.
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void TStringGridEx::SetGrid(const GridTable* table, GridRows* rows, GridColumns* columns) {
  const bool complete = table != nullptr && rows != nullptr && columns != nullptr;
  table_ = complete ? table : nullptr;
  rows_ = complete ? rows : nullptr;
  columns_ = complete ? columns : nullptr;
  model_->SetGrid(table_, rows_);
  RebuildMenuItems();
  ApplyColumns();
  ShowSortArrow();
}

int TStringGridEx::SortIndex() const {
  return rows_ != nullptr ? rows_->SortIndex() : -1;
}

void TStringGridEx::SetSortIndex(int column) {
  if (rows_ == nullptr)
    return;
  rows_->SetSortIndex(column);
  ShowSortArrow();
}

SortDirType TStringGridEx::SortDirection() const {
  return rows_ != nullptr ? rows_->SortDirection() : SortDirType::Ascending;
}

void TStringGridEx::SetSortDirection(SortDirType direction) {
  if (rows_ == nullptr)
    return;
  rows_->SetSortDirection(direction);
  ShowSortArrow();
}

template <typename Reorder>
void TStringGridEx::ReorderRows(Reorder reorder) {
  if (rows_ == nullptr)
    return;
  const QModelIndex current = currentIndex();
  const int currentColumn = current.isValid() ? current.column() : -1;
  rows_->SetCurrentRow(current.isValid()
                           ? std::optional<std::size_t>(model_->DisplayRow(current.row()))
                           : std::nullopt);
  {
    // Put back however the reordering ends.
    struct Busy {
      explicit Busy(TStringGridEx& grid) : grid(grid) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        grid.SuspendRedraw();
      }
      ~Busy() {
        grid.model_->RowsChanged();
        grid.ApplyColumns();
        grid.ResumeRedraw();
        QApplication::restoreOverrideCursor();
      }
      TStringGridEx& grid;
    } busy(*this);
    reorder();
  }
  if (currentColumn >= 0 && rows_->CurrentRow()) {
    if (const std::optional<int> row = model_->ModelRow(*rows_->CurrentRow()))
      setCurrentIndex(model_->index(*row, currentColumn));
  }
  ShowSortArrow();
}

void TStringGridEx::SortByColumn() {
  ReorderRows([this] { rows_->SortByColumn(*table_); });
}

void TStringGridEx::ReverseRows() {
  ReorderRows([this] { rows_->ReverseRows(); });
}

void TStringGridEx::HeaderClick(int column) {
  if (column < 0)
    return;
  ReorderRows([this, column] { rows_->HeaderClick(*table_, column); });
}

void TStringGridEx::BuildColumnMenu(std::string_view mask) {
  if (columns_ == nullptr)
    return;
  columns_->BuildColumnMenu(table_->Header(), mask);
  RebuildMenuItems();
  ApplyColumns();
}

std::string TStringGridEx::ColumnMask() const {
  return columns_ != nullptr ? columns_->ColumnMask() : std::string();
}

int TStringGridEx::VisibleColumnCount() const {
  return columns_ != nullptr ? columns_->VisibleColumnCount() : 0;
}

void TStringGridEx::ToggleColumn(std::size_t item) {
  if (columns_ == nullptr)
    return;
  columns_->ToggleColumn(item);
  ApplyColumns();
  // A refused toggle leaves the item checked though the menu has already flipped it.
  SyncMenuChecks();
}

void TStringGridEx::AutoSizeColumns() {
  if (columns_ == nullptr)
    return;
  const QFontMetrics metrics(font());
  tessarin::AutoSizeColumns(
      *table_,
      [&metrics](std::string_view text) { return metrics.horizontalAdvance(ToQString(text)); },
      *columns_);
  ApplyColumns();
}

void TStringGridEx::SuspendRedraw() {
  if (redrawSuspended_++ == 0)
    setUpdatesEnabled(false);
}

void TStringGridEx::ResumeRedraw() {
  if (redrawSuspended_ == 0 || --redrawSuspended_ > 0)
    return;
  setUpdatesEnabled(true);
  viewport()->update();
  header_->viewport()->update();
}

void TStringGridEx::RowsChanged() {
  const QModelIndex current = currentIndex();
  const int currentColumn = current.isValid() ? current.column() : -1;
  const std::optional<std::size_t> currentRow =
      current.isValid() ? std::optional<std::size_t>(model_->DisplayRow(current.row()))
                        : std::nullopt;
  model_->RowsChanged();
  ApplyColumns();
  // The current cell stays where it was unless its row is now hidden.
  if (currentRow && currentColumn >= 0) {
    if (const std::optional<int> row = model_->ModelRow(*currentRow))
      setCurrentIndex(model_->index(*row, currentColumn));
  }
}

void TStringGridEx::ApplyColumns() {
  if (columns_ == nullptr)
    return;
  applyingColumns_ = true;
  const std::size_t count =
      std::min(columns_->ColumnCount(), static_cast<std::size_t>(model_->columnCount()));
  for (std::size_t c = 0; c < count; ++c) {
    const int column = static_cast<int>(c);
    if (columns_->Hidden(c)) {
      setColumnHidden(column, true);
    } else {
      setColumnHidden(column, false);
      setColumnWidth(column, columns_->Width(c));
    }
  }
  applyingColumns_ = false;
}

void TStringGridEx::RebuildMenuItems() {
  columnMenu_->clear();
  if (columns_ == nullptr)
    return;
  const std::vector<ColumnMenuItem>& items = columns_->MenuItems();
  for (std::size_t i = 0; i < items.size(); ++i) {
    QAction* action = columnMenu_->addAction(MenuCaption(items[i].caption));
    action->setCheckable(true);
    action->setChecked(items[i].checked);
    connect(action, &QAction::triggered, this, [this, i] { ToggleColumn(i); });
  }
}

void TStringGridEx::SyncMenuChecks() {
  if (columns_ == nullptr)
    return;
  const std::vector<ColumnMenuItem>& items = columns_->MenuItems();
  const QList<QAction*> actions = columnMenu_->actions();
  for (qsizetype i = 0; i < actions.size() && static_cast<std::size_t>(i) < items.size(); ++i)
    actions[i]->setChecked(items[static_cast<std::size_t>(i)].checked);
}

void TStringGridEx::ShowColumnMenu(const QPoint& position) {
  if (columnMenu_->isEmpty())
    return;
  SyncMenuChecks();
  columnMenu_->popup(header_->viewport()->mapToGlobal(position));
}

void TStringGridEx::ColumnResized(int column, int, int newSize) {
  // Hiding a column resizes it to 0 on the way; that is not a width to remember.
  if (applyingColumns_ || columns_ == nullptr || column < 0 || newSize <= 0)
    return;
  const auto c = static_cast<std::size_t>(column);
  if (c < columns_->ColumnCount() && !columns_->Hidden(c))
    columns_->SetWidth(c, newSize);
}

void TStringGridEx::ShowSortArrow() {
  if (rows_ == nullptr) {
    header_->SetSortArrow(-1, SortDirType::Ascending);
    return;
  }
  header_->SetSortArrow(rows_->SortIndex(), rows_->SortDirection());
}

QModelIndex TStringGridEx::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = currentIndex();
  const bool horizontal = action == MoveLeft || action == MoveRight;
  const bool vertical = action == MoveUp || action == MoveDown;
  if ((!horizontal && !vertical) || !current.isValid() || modifiers.testFlag(Qt::ControlModifier) ||
      selectionBehavior() == QAbstractItemView::SelectRows)
    return QTableView::moveCursor(action, modifiers);

  if (horizontal) {
    int step = action == MoveLeft ? -1 : 1;
    if (isRightToLeft())
      step = -step;
    const std::optional<std::size_t> next = NextVisibleIndex(
        static_cast<std::size_t>(current.column()), step, 0,
        static_cast<std::size_t>(model_->columnCount()),
        [this](std::size_t column) { return isColumnHidden(static_cast<int>(column)); });
    return next ? model_->index(current.row(), static_cast<int>(*next)) : current;
  }
  const std::optional<std::size_t> next =
      NextVisibleIndex(static_cast<std::size_t>(current.row()), action == MoveUp ? -1 : 1, 0,
                       static_cast<std::size_t>(model_->rowCount()),
                       [this](std::size_t row) { return isRowHidden(static_cast<int>(row)); });
  return next ? model_->index(static_cast<int>(*next), current.column()) : current;
}

}  // namespace tessarin
