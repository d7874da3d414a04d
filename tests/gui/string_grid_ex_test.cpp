// The string grid over the core table: sorting by header clicks, the arrow in the header,
// the column menu with its width memory, hidden rows and columns under the arrow keys.

#include "gui/controls/string_grid_ex.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <string>
#include <vector>

#include "core/browsers/grid_test_table.h"
#include "history_test_support.h"

namespace tessarin {
namespace {

using test::ClickHeader;
using test::PressKey;
using test::Shown;
using test::ShownColumn;
using Texts = std::vector<std::string>;

constexpr int kName = 1;
constexpr int kValue = 2;
constexpr int kMixed = 3;

class StringGridExTest : public ::testing::Test {
 protected:
  StringGridExTest()
      : table(test::MakeTable({"nr", "name", "value", "mixed"}, {{"1", "delta", "10", "b"},
                                                                 {"2", "Alpha", "", "A"},
                                                                 {"3", "charlie", "9", "10"},
                                                                 {"4", "bravo", "100", "c"}})),
        rows(table.RowCount()),
        columns(table.ColumnCount()) {
    columns.BuildColumnMenu(table.Header(), "");
    grid.SetGrid(&table, &rows, &columns);
    grid.resize(500, 300);
    grid.show();
    QApplication::processEvents();
  }

  void SetCurrent(int row, int column) { grid.setCurrentIndex(grid.model()->index(row, column)); }
  int CurrentRow() const { return grid.currentIndex().row(); }
  int CurrentColumn() const { return grid.currentIndex().column(); }
  QAction* MenuItem(int column) const { return grid.ColumnMenu()->actions().at(column); }

  // Before any widget.
  QApplication& app = test::EnsureApplication();
  GridTable table;
  GridRows rows;
  GridColumns columns;
  TStringGridEx grid;
};

TEST_F(StringGridExTest, ShowsTheTableThroughItsModel) {
  EXPECT_EQ(grid.model()->rowCount(), 4);
  EXPECT_EQ(grid.model()->columnCount(), 4);
  EXPECT_EQ(grid.model()->headerData(kValue, Qt::Horizontal, Qt::DisplayRole).toString(), "value");
  EXPECT_EQ(Shown(grid, 1, kName), "Alpha");
  EXPECT_EQ(Shown(grid, 1, kValue), "");
}

// --- Sorting -----------------------------------------------------------------------------

TEST_F(StringGridExTest, HeaderClickSortsANumericColumnByValueWithEmptyCellsFirst) {
  ClickHeader(grid, kValue);
  EXPECT_EQ(grid.SortIndex(), kValue);
  EXPECT_EQ(grid.SortDirection(), SortDirType::Ascending);
  // As text, "100" would come before "9".
  EXPECT_EQ(ShownColumn(grid, kValue), (Texts{"", "9", "10", "100"}));
  EXPECT_EQ(ShownColumn(grid, 0), (Texts{"2", "3", "1", "4"}));
}

TEST_F(StringGridExTest, OneCellThatIsNoNumberSortsTheColumnAsTextWithoutCase) {
  ClickHeader(grid, kMixed);
  EXPECT_EQ(ShownColumn(grid, kMixed), (Texts{"10", "A", "b", "c"}));
  ClickHeader(grid, kName);
  EXPECT_EQ(ShownColumn(grid, kName), (Texts{"Alpha", "bravo", "charlie", "delta"}));
}

TEST_F(StringGridExTest, SecondClickOnTheSameColumnOnlyReversesAndAnotherStartsAscending) {
  ClickHeader(grid, kValue);
  ClickHeader(grid, kValue);
  EXPECT_EQ(grid.SortDirection(), SortDirType::Descending);
  EXPECT_EQ(ShownColumn(grid, kValue), (Texts{"100", "10", "9", ""}));
  ClickHeader(grid, kValue);
  EXPECT_EQ(grid.SortDirection(), SortDirType::Ascending);
  EXPECT_EQ(ShownColumn(grid, kValue), (Texts{"", "9", "10", "100"}));

  ClickHeader(grid, kValue);  // descending again
  ClickHeader(grid, kName);
  EXPECT_EQ(grid.SortIndex(), kName);
  EXPECT_EQ(grid.SortDirection(), SortDirType::Ascending);
  EXPECT_EQ(ShownColumn(grid, kName), (Texts{"Alpha", "bravo", "charlie", "delta"}));
}

TEST_F(StringGridExTest, ReverseBeforeAnySortFlipsTheDirectionOfColumnZero) {
  grid.ReverseRows();
  EXPECT_EQ(ShownColumn(grid, 0), (Texts{"4", "3", "2", "1"}));
  EXPECT_EQ(grid.SortIndex(), 0);
  EXPECT_EQ(grid.SortDirection(), SortDirType::Descending);
  // The first click on the column already marked sorted only reverses.
  ClickHeader(grid, 0);
  EXPECT_EQ(ShownColumn(grid, 0), (Texts{"1", "2", "3", "4"}));
}

TEST_F(StringGridExTest, ReleasingTheMouseAfterResizingAColumnDoesNotSort) {
  QHeaderView& header = *grid.horizontalHeader();
  QWidget* viewport = header.viewport();
  const int before = header.sectionSize(kValue);
  const int border = header.sectionViewportPosition(kValue) + before - 1;
  const QPoint from(border, header.height() / 2);
  const QPoint to(border + 30, header.height() / 2);
  test::SendMouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  test::SendMouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
  test::SendMouse(viewport, QEvent::MouseButtonRelease, to, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(header.sectionSize(kValue), before + 30);
  EXPECT_EQ(grid.SortIndex(), 0);
  EXPECT_EQ(ShownColumn(grid, 0), (Texts{"1", "2", "3", "4"}));
  // The new width is the one the column menu remembers.
  EXPECT_EQ(columns.Width(kValue), before + 30);
}

TEST_F(StringGridExTest, TheCurrentRowFollowsItsRowThroughSorting) {
  SetCurrent(0, kName);  // "delta"
  ClickHeader(grid, kName);
  EXPECT_EQ(CurrentRow(), 3);
  EXPECT_EQ(CurrentColumn(), kName);
  ClickHeader(grid, kName);
  EXPECT_EQ(CurrentRow(), 0);
  EXPECT_EQ(Shown(grid, CurrentRow(), kName), "delta");
}

TEST_F(StringGridExTest, HiddenRowsStayHiddenThroughSorting) {
  rows.SetStoredRowHidden(2, true);  // "charlie"
  grid.RowsChanged();
  ClickHeader(grid, kName);
  EXPECT_EQ(ShownColumn(grid, kName), (Texts{"Alpha", "bravo", "delta"}));
  ClickHeader(grid, kName);
  EXPECT_EQ(ShownColumn(grid, kName), (Texts{"delta", "bravo", "Alpha"}));
}

// --- The arrow in the header -------------------------------------------------------------

class SortArrowTest : public StringGridExTest {
 protected:
  QImage Header() {
    QApplication::processEvents();
    return grid.horizontalHeader()->viewport()->grab().toImage();
  }
  // Right edge (one past the last pixel) and bottom of a header cell.
  int Right(int column) const {
    const QHeaderView& header = *grid.horizontalHeader();
    return header.sectionViewportPosition(column) + header.sectionSize(column);
  }
  int Bottom() const { return grid.horizontalHeader()->height(); }
  QRgb Light() const { return QColor(Qt::white).rgb(); }
  QRgb Shadow() const { return grid.horizontalHeader()->palette().color(QPalette::Dark).rgb(); }
  QRgb Face() const { return grid.horizontalHeader()->palette().color(QPalette::Button).rgb(); }
  // Whether every pixel of row y from x = first to last has the colour.
  static bool Line(const QImage& image, int y, int first, int last, QRgb colour) {
    for (int x = first; x <= last; ++x) {
      if (image.pixel(x, y) != colour)
        return false;
    }
    return true;
  }
};

TEST_F(SortArrowTest, AscendingPointsUpWithTheShadowedBaseAtTheBottom) {
  ClickHeader(grid, kValue);
  const QImage image = Header();
  const int r = Right(kValue);
  EXPECT_TRUE(Line(image, Bottom() - 6, r - 13, r - 6, Shadow()));
  // Only the tip at the top.
  EXPECT_FALSE(Line(image, 6, r - 10, r - 10, Face()));
  EXPECT_TRUE(Line(image, 6, r - 9, r - 6, Face()));
  EXPECT_TRUE(Line(image, 6, r - 18, r - 11, Face()));
  // The cleared strip around it.
  EXPECT_TRUE(Line(image, 2, r - 18, r - 1, Face()));
  EXPECT_TRUE(Line(image, Bottom() - 2, r - 18, r - 1, Face()));
}

TEST_F(SortArrowTest, DescendingPointsDownWithTheLightBaseAtTheTop) {
  ClickHeader(grid, kValue);
  ClickHeader(grid, kValue);
  const QImage image = Header();
  const int r = Right(kValue);
  EXPECT_TRUE(Line(image, 6, r - 13, r - 7, Light()));
  EXPECT_FALSE(Line(image, Bottom() - 6, r - 10, r - 10, Face()));
  EXPECT_TRUE(Line(image, Bottom() - 6, r - 9, r - 6, Face()));
  EXPECT_TRUE(Line(image, Bottom() - 6, r - 18, r - 11, Face()));
}

TEST_F(SortArrowTest, OnlyTheSortedColumnCarriesTheArrow) {
  ClickHeader(grid, kValue);
  ClickHeader(grid, kName);
  const QImage image = Header();
  EXPECT_EQ(grid.Header()->ArrowColumn(), kName);
  EXPECT_TRUE(Line(image, Bottom() - 6, Right(kName) - 13, Right(kName) - 6, Shadow()));
  EXPECT_FALSE(Line(image, Bottom() - 6, Right(kValue) - 13, Right(kValue) - 6, Shadow()));
  EXPECT_FALSE(Line(image, 2, Right(kValue) - 18, Right(kValue) - 1, Face()));
}

// --- The column menu -----------------------------------------------------------------------

TEST_F(StringGridExTest, ColumnMenuHasOneCheckedItemPerColumn) {
  ASSERT_EQ(grid.ColumnMenu()->actions().size(), 4);
  EXPECT_EQ(MenuItem(kMixed)->text(), "mixed");
  for (QAction* item : grid.ColumnMenu()->actions()) {
    EXPECT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isChecked());
  }
  EXPECT_EQ(grid.ColumnMask(), "1111");
}

TEST_F(StringGridExTest, RightClickOnTheHeaderOpensTheColumnMenuAndSortsNothing) {
  QWidget* viewport = grid.horizontalHeader()->viewport();
  const QPoint at = test::HeaderCellCentre(grid, kValue);
  test::MouseClick(viewport, at, Qt::RightButton);
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &menuEvent);
  EXPECT_TRUE(grid.ColumnMenu()->isVisible());
  grid.ColumnMenu()->hide();
  EXPECT_EQ(grid.SortIndex(), 0);
}

TEST_F(StringGridExTest, HidingAndShowingAColumnGivesBackTheWidthItHadWhenHidden) {
  grid.horizontalHeader()->resizeSection(kName, 123);
  MenuItem(kName)->trigger();
  EXPECT_TRUE(grid.isColumnHidden(kName));
  EXPECT_FALSE(MenuItem(kName)->isChecked());
  EXPECT_EQ(grid.ColumnMask(), "1011");
  EXPECT_EQ(grid.VisibleColumnCount(), 3);

  MenuItem(kName)->trigger();
  EXPECT_FALSE(grid.isColumnHidden(kName));
  EXPECT_TRUE(MenuItem(kName)->isChecked());
  EXPECT_EQ(grid.columnWidth(kName), 123);
  EXPECT_EQ(grid.ColumnMask(), "1111");
}

TEST_F(StringGridExTest, TheLastVisibleColumnCannotBeHidden) {
  grid.BuildColumnMenu("0001");
  EXPECT_EQ(grid.VisibleColumnCount(), 1);
  MenuItem(kMixed)->trigger();
  EXPECT_FALSE(grid.isColumnHidden(kMixed));
  EXPECT_TRUE(MenuItem(kMixed)->isChecked());
  EXPECT_EQ(grid.ColumnMask(), "0001");
}

TEST_F(StringGridExTest, AShortMaskHidesOnlyTheColumnsItMarks) {
  grid.BuildColumnMenu("01");
  EXPECT_TRUE(grid.isColumnHidden(0));
  EXPECT_FALSE(grid.isColumnHidden(kName));
  EXPECT_FALSE(grid.isColumnHidden(kValue));
  EXPECT_FALSE(grid.isColumnHidden(kMixed));
  EXPECT_FALSE(MenuItem(0)->isChecked());
  EXPECT_EQ(grid.ColumnMask(), "0111");
}

TEST_F(StringGridExTest, AutoSizeUsesTheGridsFontForHeaderAndCells) {
  grid.AutoSizeColumns();
  const QFontMetrics metrics(grid.font());
  EXPECT_EQ(grid.columnWidth(kName), std::max(metrics.horizontalAdvance("name") + 20,
                                              metrics.horizontalAdvance("charlie") + 5));
  EXPECT_EQ(grid.columnWidth(0), metrics.horizontalAdvance("nr") + 20);
  EXPECT_EQ(columns.Width(kName), grid.columnWidth(kName));
}

// --- Arrow keys ----------------------------------------------------------------------------

TEST_F(StringGridExTest, LeftAndRightStepOverHiddenColumns) {
  grid.BuildColumnMenu("1001");
  SetCurrent(0, 0);
  PressKey(&grid, Qt::Key_Right);
  EXPECT_EQ(CurrentColumn(), kMixed);
  PressKey(&grid, Qt::Key_Left);
  EXPECT_EQ(CurrentColumn(), 0);
}

TEST_F(StringGridExTest, AnArrowKeyWithNoVisibleColumnThatWayDoesNothing) {
  grid.BuildColumnMenu("0110");
  SetCurrent(1, kName);
  PressKey(&grid, Qt::Key_Left);
  EXPECT_EQ(CurrentColumn(), kName);
  SetCurrent(1, kValue);
  PressKey(&grid, Qt::Key_Right);
  EXPECT_EQ(CurrentColumn(), kValue);
  EXPECT_EQ(CurrentRow(), 1);
}

TEST_F(StringGridExTest, UpAndDownStepOverHiddenRows) {
  rows.SetStoredRowHidden(1, true);
  rows.SetStoredRowHidden(2, true);
  grid.RowsChanged();
  ASSERT_EQ(grid.model()->rowCount(), 2);
  SetCurrent(0, kName);
  PressKey(&grid, Qt::Key_Down);
  EXPECT_EQ(Shown(grid, CurrentRow(), kName), "bravo");
  PressKey(&grid, Qt::Key_Down);  // the last row
  EXPECT_EQ(Shown(grid, CurrentRow(), kName), "bravo");
  PressKey(&grid, Qt::Key_Up);
  EXPECT_EQ(Shown(grid, CurrentRow(), kName), "delta");
  PressKey(&grid, Qt::Key_Up);  // every row above is the header
  EXPECT_EQ(Shown(grid, CurrentRow(), kName), "delta");
}

TEST_F(StringGridExTest, ACurrentRowThatAFilterHidesIsLeftAndShownRowsKeepTheirPlace) {
  SetCurrent(2, kName);  // "charlie"
  rows.SetStoredRowHidden(0, true);
  grid.RowsChanged();
  EXPECT_EQ(Shown(grid, CurrentRow(), kName), "charlie");
  EXPECT_EQ(grid.GridModel()->DisplayRow(CurrentRow()), 2u);
  EXPECT_FALSE(grid.GridModel()->ModelRow(0).has_value());
}

TEST_F(StringGridExTest, WithoutATableTheGridIsEmptyAndItsOperationsDoNothing) {
  TStringGridEx empty;
  empty.SortByColumn();
  empty.ReverseRows();
  empty.ToggleColumn(0);
  empty.AutoSizeColumns();
  EXPECT_EQ(empty.model()->rowCount(), 0);
  EXPECT_EQ(empty.ColumnMask(), "");
  EXPECT_EQ(empty.SortIndex(), -1);
  EXPECT_TRUE(empty.ColumnMenu()->isEmpty());
}

}  // namespace
}  // namespace tessarin
