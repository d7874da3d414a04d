#include "core/browsers/grid_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "grid_test_table.h"

namespace tessarin {
namespace {

std::vector<std::string> Column(const GridTable& table, const GridRows& rows, std::size_t column) {
  std::vector<std::string> cells;
  for (std::size_t r = 0; r < rows.RowCount(); ++r) {
    cells.emplace_back(table.Cell(rows.StoredRow(r), column));
  }
  return cells;
}

using Texts = std::vector<std::string>;

TEST(SortNumberValueTest, NumbersEmptyAndText) {
  double value = 0;
  EXPECT_TRUE(SortNumberValue("", value));
  EXPECT_EQ(value, -999999999);
  EXPECT_TRUE(SortNumberValue("12.5", value));
  EXPECT_EQ(value, 12.5);
  EXPECT_TRUE(SortNumberValue(" -3e2 ", value));
  EXPECT_EQ(value, -300);
  EXPECT_TRUE(SortNumberValue("+7", value));
  EXPECT_EQ(value, 7);
  for (const char* text :
       {"12,5", "abc", "1.2.3", "inf", "nan", "+-1", " ", "1:2:05", "01:60:00", ":00:00"}) {
    EXPECT_FALSE(SortNumberValue(text, value)) << text;
  }
}

TEST(SortNumberValueTest, CpuTimesSortAsDurations) {
  double value = 0;
  EXPECT_TRUE(SortNumberValue("01:02:05", value));
  EXPECT_EQ(value, 3725);
  const GridTable table =
      test::MakeTable({"cpu"}, {{"100:00:00"}, {"99:59:59"}, {""}, {"00:00:07"}});
  GridRows rows(table.RowCount());
  rows.SetSortIndex(-1);
  rows.HeaderClick(table, 0);
  EXPECT_EQ(Column(table, rows, 0), (Texts{"", "00:00:07", "99:59:59", "100:00:00"}));
}

TEST(GridRowsTest, NumericColumnSortsByValueWithEmptyCellsFirst) {
  const GridTable table = test::MakeTable({"v"}, {{"10"}, {""}, {"9"}, {"-1.5"}, {"100"}});
  GridRows rows(table.RowCount());
  rows.HeaderClick(table, 0);  // SortIndex is 0 already: only reverses
  EXPECT_EQ(Column(table, rows, 0), (Texts{"100", "-1.5", "9", "", "10"}));
  rows.SetSortIndex(-1);
  rows.HeaderClick(table, 0);
  EXPECT_EQ(rows.SortDirection(), SortDirType::Ascending);
  EXPECT_EQ(Column(table, rows, 0), (Texts{"", "-1.5", "9", "10", "100"}));
}

TEST(GridRowsTest, OneTextCellMakesTheColumnSortAsTextWithoutCase) {
  const GridTable table = test::MakeTable({"n", "v"}, {{"1", "10"},
                                                       {"2", "b"},
                                                       {"3", "9"},
                                                       {"4", "B"},
                                                       {"5", "A"},
                                                       {"6", ""},
                                                       {"7", "_"},
                                                       {"8", "a"}});
  GridRows rows(table.RowCount());
  rows.HeaderClick(table, 1);
  // Upper-cased a to z, byte by byte: "10" < "9" < "A" = "a" < "B" = "b" < "_"; ties keep
  // their order.
  EXPECT_EQ(Column(table, rows, 1), (Texts{"", "10", "9", "A", "a", "b", "B", "_"}));
}

TEST(GridRowsTest, LongTextsThatTieInTheirFirstBytes) {
  const std::string prefix = "01ja07aa.12345.6789.";
  const GridTable table = test::MakeTable(
      {"v"}, {{prefix + "b_2"}, {prefix + "A_1"}, {prefix + "a_0"}, {prefix}, {prefix + "B"}});
  GridRows rows(table.RowCount());
  rows.SetSortIndex(-1);
  rows.HeaderClick(table, 0);
  EXPECT_EQ(Column(table, rows, 0),
            (Texts{prefix, prefix + "a_0", prefix + "A_1", prefix + "B", prefix + "b_2"}));
}

TEST(GridRowsTest, TextSortAgreesWithAPlainUpperCaseComparison) {
  // Shared prefixes of 0 to 40 bytes, short tails, NUL bytes, upper and lower case.
  std::mt19937 random(3);
  const std::string prefix = "setiathome_enhanced_01ja07aa.12345.6789.0123";
  const std::string alphabet = std::string("aAbB_z9") + '\0';
  std::vector<std::vector<std::string>> cells;
  for (int i = 0; i < 3000; ++i) {
    std::string text = prefix.substr(0, random() % 41);
    for (std::size_t n = random() % 4; n > 0; --n)
      text += alphabet[random() % alphabet.size()];
    cells.push_back({text, std::to_string(i)});
  }
  const GridTable table = test::MakeTable({"text", "n"}, cells);
  GridRows rows(table.RowCount());
  rows.SetSortIndex(-1);
  rows.HeaderClick(table, 0);

  const auto upper = [](std::string text) {
    for (char& c : text) {
      if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
  };
  std::vector<std::size_t> expected(cells.size());
  std::iota(expected.begin(), expected.end(), 0u);
  std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
    return upper(cells[a][0]) < upper(cells[b][0]);
  });
  for (std::size_t r = 0; r < expected.size(); ++r) {
    ASSERT_EQ(rows.StoredRow(r), expected[r]) << "display row " << r;
  }
}

TEST(GridRowsTest, SecondClickReversesAndAnotherColumnStartsAscending) {
  const GridTable table =
      test::MakeTable({"a", "b"}, {{"2", "x"}, {"1", "y"}, {"3", "x"}, {"1", "z"}});
  GridRows rows(table.RowCount());
  rows.HeaderClick(table, 1);
  EXPECT_EQ(rows.SortIndex(), 1);
  EXPECT_EQ(Column(table, rows, 0), (Texts{"2", "3", "1", "1"}));
  rows.HeaderClick(table, 1);
  EXPECT_EQ(rows.SortDirection(), SortDirType::Descending);
  EXPECT_EQ(Column(table, rows, 0), (Texts{"1", "1", "3", "2"}));
  rows.HeaderClick(table, 0);
  EXPECT_EQ(rows.SortDirection(), SortDirType::Ascending);
  EXPECT_EQ(Column(table, rows, 0), (Texts{"1", "1", "2", "3"}));
  EXPECT_EQ(Column(table, rows, 1), (Texts{"z", "y", "x", "x"}));  // ties keep their order
}

TEST(GridRowsTest, DescendingSortLaysTheOrderDownFromTheBottom) {
  const GridTable table = test::MakeTable({"a"}, {{"2"}, {"3"}, {"1"}});
  GridRows rows(table.RowCount());
  rows.SetSortIndex(0);
  rows.SetSortDirection(SortDirType::Descending);
  rows.SortByColumn(table);
  EXPECT_EQ(Column(table, rows, 0), (Texts{"3", "2", "1"}));
}

TEST(GridRowsTest, HiddenRowsAndTheCurrentRowFollowTheirRows) {
  const GridTable table = test::MakeTable({"a"}, {{"c"}, {"a"}, {"b"}});
  GridRows rows(table.RowCount());
  rows.SetStoredRowHidden(0, true);  // "c"
  rows.SetCurrentRow(1);             // "a"
  rows.SetSortIndex(-1);
  rows.HeaderClick(table, 0);
  EXPECT_EQ(Column(table, rows, 0), (Texts{"a", "b", "c"}));
  EXPECT_TRUE(rows.Hidden(2));
  EXPECT_FALSE(rows.Hidden(0));
  EXPECT_EQ(rows.CurrentRow(), 0u);
  rows.ReverseRows();
  EXPECT_TRUE(rows.Hidden(0));
  EXPECT_EQ(rows.CurrentRow(), 2u);
}

TEST(GridRowsTest, ReverseFlipsTheDirectionEvenUnsorted) {
  const GridTable table = test::MakeTable({"a"}, {{"1"}, {"2"}, {"3"}, {"4"}});
  GridRows rows(table.RowCount());
  rows.ReverseRows();
  EXPECT_EQ(rows.SortIndex(), 0);
  EXPECT_EQ(rows.SortDirection(), SortDirType::Descending);
  EXPECT_EQ(Column(table, rows, 0), (Texts{"4", "3", "2", "1"}));
  GridRows empty(0);
  empty.ReverseRows();
  empty.SortByColumn(table);
  EXPECT_EQ(empty.RowCount(), 0u);
}

TEST(GridRowsTest, ColumnOutsideTheTableLeavesTheOrder) {
  const GridTable table = test::MakeTable({"a"}, {{"2"}, {"1"}});
  GridRows rows(table.RowCount());
  rows.HeaderClick(table, 5);
  EXPECT_EQ(Column(table, rows, 0), (Texts{"2", "1"}));
}

}  // namespace
}  // namespace tessarin
