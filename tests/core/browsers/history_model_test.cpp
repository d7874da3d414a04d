#include "core/browsers/history_model.h"

#include <gtest/gtest.h>

#include "core/browsers/history_columns.h"
#include "core/browsers/history_settings.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "history_test_log.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

using test::LogRow;
using test::LogText;
namespace col = history_columns;

int CharWidth(std::string_view text) {
  return static_cast<int>(text.size()) * 6;
}

class HistoryModelTest : public ::testing::Test {
 protected:
  HistoryModelTest() : settings_(dir_.path() + "Tessarin.ini") {}

  void WriteLog(const std::vector<std::string>& rows) {
    dir_.Write("logs/boinc.csv", LogText(rows));
  }
  HistoryModel Load() { return LoadHistory(settings_, dir_.path(), CharWidth); }

  test::TempDir dir_;
  SettingsStore settings_;
};

TEST_F(HistoryModelTest, OpensWithTheNewestRowFirstAndTheStatisticsBuilt) {
  WriteLog({LogRow({{"project_name", "B"}, {"result_name", "old"}, {"cpu", "10"}}),
            LogRow({{"project_name", "A"}, {"result_name", "new"}, {"cpu", "20"}})});
  dir_.Write("Synonyms.ini", "[Projects]\r\nB=Beta\r\n");
  const HistoryModel model = Load();
  ASSERT_TRUE(model.HasData());
  EXPECT_EQ(model.table.Cell(model.rows.StoredRow(0), 42), "new");
  EXPECT_EQ(model.rows.SortIndex(), 0);
  EXPECT_EQ(model.rows.SortDirection(), SortDirType::Descending);
  ASSERT_EQ(model.tree.roots.size(), 2u);
  EXPECT_EQ(model.tree.nodes[model.tree.roots[0]].name, "A");
  EXPECT_EQ(model.tree.nodes[model.tree.roots[1]].name, "Beta");
  ASSERT_EQ(model.filter.projects.size(), 2u);
  EXPECT_EQ(model.filter.projects[1].caption, "Beta");
  EXPECT_EQ(model.columns.ColumnMask(), kDefaultHistoryMask);
  EXPECT_EQ(model.columns.Width(col::kProject), std::string_view("project_name").size() * 6 + 20);
}

TEST_F(HistoryModelTest, StoredMaskOfTheRightLengthIsUsedAndAWrongOneIgnored) {
  WriteLog({LogRow({{"project_name", "A"}})});
  const std::string mask(kHistoryColumnCount, '1');
  settings_.WriteString(sections::kHistory, settings::kSelected, mask);
  EXPECT_EQ(Load().columns.ColumnMask(), mask);
  settings_.WriteString(sections::kHistory, settings::kSelected, mask + "1");
  EXPECT_EQ(Load().columns.ColumnMask(), kDefaultHistoryMask);
  settings_.WriteString(sections::kHistory, settings::kSelected, "0");
  EXPECT_EQ(Load().columns.ColumnMask(), kDefaultHistoryMask);
}

TEST_F(HistoryModelTest, LogDirectoryFromTheSettings) {
  dir_.Write("elsewhere/boinc.csv", LogText({LogRow({{"project_name", "X"}})}));
  settings_.WriteString("Options", "logdir", dir_.path() + "elsewhere");
  EXPECT_TRUE(Load().HasData());
}

TEST_F(HistoryModelTest, WithoutDataTheEmptyMaskIsWhatGetsStored) {
  WriteLog({});
  const HistoryModel model = Load();
  EXPECT_FALSE(model.HasData());
  EXPECT_EQ(model.table.ColumnCount(), kHistoryColumnCount);
  EXPECT_EQ(model.columns.ColumnMask(), "");
  EXPECT_TRUE(model.tree.nodes.empty());
}

TEST_F(HistoryModelTest, DefaultMaskShowsTheDescribedColumns) {
  std::vector<std::string> shown;
  const std::vector<std::string> header = HistoryGridHeader();
  ASSERT_EQ(std::string_view(kDefaultHistoryMask).size(), header.size());
  for (std::size_t c = 0; c < header.size(); ++c) {
    if (kDefaultHistoryMask[c] == '1')
      shown.push_back(header[c]);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"nr", "date", "project_name", "domain_name",
                                             "user_total_credit", "user_expavg_credit",
                                             "result_name", "cpu", "error", "error_txt"}));
  EXPECT_EQ(header[col::kAppVersion], "app_version");
  EXPECT_EQ(header[col::kCpu], "cpu");
  EXPECT_EQ(header[col::kError], "error");
}

TEST_F(HistoryModelTest, FilterHidesRowsByProjectAndHostWithoutCase) {
  WriteLog({LogRow({{"project_name", "Seti"}, {"domain_name", "a"}}),
            LogRow({{"project_name", "SETI"}, {"domain_name", "b"}}),
            LogRow({{"project_name", "Einstein"}, {"domain_name", "a"}}),
            LogRow({{"project_name", ""}, {"domain_name", "a"}})});
  HistoryModel model = Load();
  ASSERT_EQ(model.filter.projects.size(), 2u);  // "Einstein", "Seti"
  ASSERT_EQ(model.filter.hosts.size(), 2u);
  FilterClick(model.filter, FilterMenu::Projects, 1, model.table, model.rows);
  EXPECT_FALSE(model.filter.projects[1].checked);
  // Stored rows: 0 Seti/a, 1 SETI/b, 2 Einstein/a, 3 (none)/a.
  EXPECT_TRUE(model.rows.StoredRowHidden(0));
  EXPECT_TRUE(model.rows.StoredRowHidden(1));
  EXPECT_FALSE(model.rows.StoredRowHidden(2));
  EXPECT_FALSE(model.rows.StoredRowHidden(3));  // no project item can choose it
  FilterClick(model.filter, FilterMenu::Hosts, 0, model.table, model.rows);
  EXPECT_TRUE(model.rows.StoredRowHidden(2));
  EXPECT_TRUE(model.rows.StoredRowHidden(3));
  FilterClick(model.filter, FilterMenu::Projects, 1, model.table, model.rows);
  EXPECT_FALSE(model.rows.StoredRowHidden(1));
  EXPECT_TRUE(model.rows.StoredRowHidden(0));
  // The statistics are not filtered; they group "Seti" and "SETI" as the menu does.
  EXPECT_EQ(model.tree.roots.size(), 3u);  // unknown, Einstein, Seti
}

TEST_F(HistoryModelTest, SettingsRoundTrip) {
  HistoryCloseState state;
  state.columnMask = "101";
  state.maximized = true;
  state.normalGeometry = WindowGeometry{10, 20, 300, 400};
  state.treeLayout[0] = {1, 300};
  state.treeLayout[1] = {0, 90};
  SaveHistorySettings(settings_, state);

  const SettingsStore reread(dir_.path() + "Tessarin.ini");
  EXPECT_EQ(ReadHistoryMask(reread), "101");
  EXPECT_TRUE(ReadHistoryMaximized(reread));
  const WindowGeometry geometry = ReadHistoryGeometry(reread);
  EXPECT_EQ(geometry.left, 10);
  EXPECT_EQ(geometry.width, 400);
  EXPECT_EQ(reread.ReadInteger("History", "TreeColPos1", -1), 1);
  EXPECT_EQ(reread.ReadInteger("History", "TreeColWidth2", -1), 90);
  const TreeLayout layout = ReadTreeLayout(reread, DefaultTreeLayout());
  EXPECT_EQ(layout[0].position, 1);
  EXPECT_EQ(layout[0].width, 300);
  EXPECT_EQ(layout[1].position, 0);
  EXPECT_EQ(layout[4].width, 125);
}

TEST_F(HistoryModelTest, GeometryOutsideTheNormalStateIsNotStored) {
  HistoryCloseState state;
  state.maximized = true;
  SaveHistorySettings(settings_, state);
  EXPECT_FALSE(settings_.ValueExists("History", "Left"));
  const WindowGeometry geometry = ReadHistoryGeometry(settings_);
  EXPECT_EQ(geometry.left, 274);
  EXPECT_EQ(geometry.top, 203);
  EXPECT_EQ(geometry.height, 366);
  EXPECT_EQ(geometry.width, 576);
}

TEST_F(HistoryModelTest, BrokenTreeLayoutFallsBackToTheCurrentOne) {
  settings_.WriteInteger("History", "TreeColPos1", 3);
  settings_.WriteInteger("History", "TreeColPos2", 3);  // two columns at one position
  settings_.WriteInteger("History", "TreeColWidth1", 20);
  const TreeLayout layout = ReadTreeLayout(settings_, DefaultTreeLayout());
  for (std::size_t i = 0; i < layout.size(); ++i) {
    EXPECT_EQ(layout[i].position, static_cast<int>(i));
  }
  EXPECT_EQ(layout[0].width, 250);  // not below the column's minimum
}

}  // namespace
}  // namespace tessarin
