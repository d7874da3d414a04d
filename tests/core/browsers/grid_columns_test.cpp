#include "core/browsers/grid_columns.h"

#include <gtest/gtest.h>

#include "core/browsers/grid_auto_size.h"
#include "grid_test_table.h"

namespace tessarin {
namespace {

const std::vector<std::string> kCaptions = {"a", "b", "c", "d"};

TEST(GridColumnsTest, MaskHidesItsZeroColumnsOnly) {
  GridColumns columns(4);
  columns.BuildColumnMenu(kCaptions, "0110111");  // longer than the columns: rest ignored
  EXPECT_EQ(columns.ColumnMask(), "0110");
  EXPECT_TRUE(columns.Hidden(0));
  EXPECT_FALSE(columns.Hidden(1));
  EXPECT_TRUE(columns.Hidden(3));
  EXPECT_EQ(columns.VisibleColumnCount(), 2);
  ASSERT_EQ(columns.MenuItems().size(), 4u);
  EXPECT_EQ(columns.MenuItems()[2].caption, "c");

  columns.BuildColumnMenu(kCaptions, "10");  // shorter: the others stay shown
  EXPECT_EQ(columns.ColumnMask(), "1011");
  // Rebuilding showed the hidden columns again at their remembered widths.
  EXPECT_EQ(columns.Width(0), GridColumns::kDefaultWidth);
  EXPECT_EQ(columns.Width(3), GridColumns::kDefaultWidth);
}

TEST(GridColumnsTest, LastVisibleColumnCannotBeHidden) {
  GridColumns columns(4);
  columns.BuildColumnMenu(kCaptions, "0000");
  EXPECT_EQ(columns.ColumnMask(), "0001");
  columns.ToggleColumn(3);
  EXPECT_EQ(columns.ColumnMask(), "0001");
  EXPECT_EQ(columns.Width(3), GridColumns::kDefaultWidth);
  columns.ToggleColumn(0);
  columns.ToggleColumn(3);
  EXPECT_EQ(columns.ColumnMask(), "1000");
  columns.ToggleColumn(9);  // no such item
  EXPECT_EQ(columns.ColumnMask(), "1000");
}

TEST(GridColumnsTest, ShowingAColumnRestoresTheWidthItHadWhenHidden) {
  GridColumns columns(4);
  columns.BuildColumnMenu(kCaptions, "");
  columns.SetWidth(2, 123);
  columns.ToggleColumn(2);
  EXPECT_EQ(columns.Width(2), GridColumns::kHiddenWidth);
  EXPECT_EQ(columns.MenuItems()[2].width, 123);
  columns.ToggleColumn(2);
  EXPECT_EQ(columns.Width(2), 123);
  // Widths of 10000 pixels and more are remembered too.
  columns.SetWidth(1, 12345);
  columns.ToggleColumn(1);
  columns.ToggleColumn(1);
  EXPECT_EQ(columns.Width(1), 12345);
}

int CharCountWidth(std::string_view text) {
  return static_cast<int>(text.size()) * 7;
}

TEST(AutoSizeColumnsTest, LargerOfHeaderPlusTwentyAndCellsPlusFive) {
  const GridTable table =
      test::MakeTable({"header", "x"}, {{"ab", "short"}, {"abcdefghij", "s"}, {"", ""}});
  GridColumns columns(2);
  columns.BuildColumnMenu(table.Header(), "01");
  AutoSizeColumns(table, CharCountWidth, columns);
  EXPECT_EQ(columns.Width(0), 10 * 7 + 5);  // and the hidden column is shown again
  EXPECT_EQ(columns.Width(1), 5 * 7 + 5);
}

TEST(AutoSizeColumnsTest, WidestCellIsFoundAmongManyOfOneLength) {
  // A font where "W" is wide: estimates rank the cells, the real function decides.
  const auto width = [](std::string_view text) {
    int w = 0;
    for (char c : text)
      w += c == 'W' ? 15 : 6;
    return w + (text.find("WW") != std::string_view::npos ? 2 : 0);  // a kerning-like extra
  };
  // Enough rows to be measured in parts on several cores, the wide one in the last part.
  GridTable table({"c"});
  for (int i = 0; i < 120000; ++i) {
    const std::string cell = i == 110000 ? "abWWcd" : "abcdef";
    const std::string_view cells[] = {cell};
    table.AppendRow(cells);
  }
  GridColumns columns(1);
  AutoSizeColumns(table, width, columns);
  EXPECT_EQ(columns.Width(0), 4 * 6 + 2 * 15 + 2 + 5);
}

}  // namespace
}  // namespace tessarin
