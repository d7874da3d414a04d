#include "core/browsers/grid_table.h"

#include <gtest/gtest.h>

#include "grid_test_table.h"

namespace tessarin {
namespace {

TEST(GridTableTest, CellsComeBackAsStored) {
  const GridTable table = test::MakeTable({"a", "b", "c"}, {{"1", "", "three"}, {"x"}});
  ASSERT_EQ(table.RowCount(), 2u);
  EXPECT_EQ(table.Cell(0, 0), "1");
  EXPECT_EQ(table.Cell(0, 1), "");
  EXPECT_EQ(table.Cell(0, 2), "three");
  // Missing cells are empty; out of range reads nothing.
  EXPECT_EQ(table.Cell(1, 0), "x");
  EXPECT_EQ(table.Cell(1, 2), "");
  EXPECT_EQ(table.Cell(2, 0), "");
  EXPECT_EQ(table.Cell(0, 3), "");
}

TEST(GridTableTest, ManyRowsAcrossBlocksKeepTheirTexts) {
  GridTable table({"n", "text"});
  const std::string filler(1000, 'f');
  for (int i = 0; i < 20000; ++i) {  // about 20 MB: several blocks
    const std::string number = std::to_string(i);
    const std::string_view cells[] = {number, filler};
    table.AppendRow(cells);
  }
  for (int i : {0, 4100, 4200, 19999}) {
    EXPECT_EQ(table.Cell(static_cast<std::size_t>(i), 0), std::to_string(i));
    EXPECT_EQ(table.Cell(static_cast<std::size_t>(i), 1), filler);
  }
}

TEST(GridTableTest, RowTextBeyondTheLimitIsCut) {
  const std::string big(40000, 'x');
  const GridTable table = test::MakeTable({"a", "b", "c"}, {{big, big, "c"}});
  EXPECT_EQ(table.Cell(0, 0).size(), 40000u);
  EXPECT_EQ(table.Cell(0, 1).size(), GridTable::kMaxRowText - 40000);
  EXPECT_EQ(table.Cell(0, 2), "");
}

}  // namespace
}  // namespace tessarin
