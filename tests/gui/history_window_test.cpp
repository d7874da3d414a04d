// The History window over small logs: both pages and their menus, the filter, the two
// options, the settings of the History section, and a log that is only ever read.

#include "gui/browsers/history_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFont>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTreeView>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "core/browsers/history_columns.h"
#include "core/browsers/history_test_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "gui/browsers/history_tree_model.h"
#include "gui/dialogs/message_boxes.h"
#include "history_test_support.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;
namespace col = history_columns;
using test::LogRow;
using test::LogText;
using test::Shown;
using test::ShownColumn;
using Texts = std::vector<std::string>;

constexpr int kResultName = 42;  // "result_name"

class RecordedMessages final : public MessageBoxes {
 public:
  MessageAnswer Show(QWidget*, MessageKind kind, const QString& caption, const QString& text,
                     MessageButtons) override {
    kinds.push_back(kind);
    captions.push_back(ToBytes(caption));
    texts.push_back(ToBytes(text));
    return MessageAnswer::kOk;
  }
  std::vector<MessageKind> kinds;
  std::vector<std::string> captions;
  std::vector<std::string> texts;
};

std::string Row(const std::string& project, const std::string& host, const std::string& result,
                const std::string& cpu, const std::string& error = "FALSE",
                const std::string& app = "app", const std::string& version = "1.00") {
  return LogRow({{"project_name", project},
                 {"app_name", app},
                 {"domain_name", host},
                 {"app_version", version},
                 {"result_name", result},
                 {"cpu", cpu},
                 {"error", error}});
}

std::vector<std::string> ActionTexts(const QMenu& menu) {
  std::vector<std::string> texts;
  for (const QAction* action : menu.actions())
    texts.push_back(ToBytes(action->text()));
  return texts;
}

class HistoryWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { test::EnsureApplication(); }

  std::string LogPath() const { return dir.path() + "logs/boinc.csv"; }
  void WriteLog(const std::vector<std::string>& rows) const {
    dir.Write("logs/boinc.csv", LogText(rows));
  }
  std::unique_ptr<TfrmHistory> Open() {
    return std::make_unique<TfrmHistory>(settings, dir.path(), nullptr, &messages);
  }
  // The settings as written to disk.
  std::string Stored(const std::string& key) const {
    const SettingsStore onDisk(dir.path() + "Tessarin.ini");
    return onDisk.ReadString(sections::kHistory, key, "<none>");
  }
  static std::string TreeText(const QModelIndex& index, int column) {
    return ToBytes(index.siblingAtColumn(column).data(Qt::DisplayRole).toString());
  }

  test::TempDir dir;
  SettingsStore settings{dir.path() + "Tessarin.ini"};
  RecordedMessages messages;
};

// --- Reading and the two pages ----------------------------------------------------------

TEST_F(HistoryWindowTest, TheLogMenuRunsTheJobLogImportAndShowsItsCounts) {
  WriteLog({Row("SETI@home", "orion", "r1", "10")});
  EXPECT_EQ(Open()->ImportJobLogsItem(), nullptr);

  int runs = 0;
  TfrmHistory window(settings, dir.path(), nullptr, &messages, [&runs] {
    ++runs;
    JobLogImport import;
    import.added = 2;
    import.skipped = 1;
    import.unreadableClients = {"/var/lib/boinc/"};
    return import;
  });
  ASSERT_NE(window.ImportJobLogsItem(), nullptr);
  EXPECT_EQ(window.ImportJobLogsItem()->text(), "Import job logs");
  window.ImportJobLogsItem()->trigger();
  EXPECT_EQ(runs, 1);
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(messages.kinds[0], MessageKind::kInformation);
  EXPECT_EQ(messages.texts[0],
            "Rows added: 2\nRows skipped: 1\nclient_state.xml of /var/lib/boinc/ cannot be read "
            "whole; its job logs wait for the next import");
}

TEST_F(HistoryWindowTest, OpensWithTheNewestRowFirstAndTheDefaultColumns) {
  WriteLog({Row("SETI@home", "orion", "first", "3725.9"), Row("Rosetta", "lyra", "second", "60")});
  const auto window = Open();
  EXPECT_EQ(window->windowTitle(), "Tessarin - History");
  const TStringGridEx& grid = *window->Grid();
  ASSERT_EQ(grid.model()->rowCount(), 2);
  ASSERT_EQ(grid.model()->columnCount(), static_cast<int>(kHistoryColumnCount));
  EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "nr");
  EXPECT_EQ(grid.model()->headerData(col::kCpu, Qt::Horizontal, Qt::DisplayRole).toString(), "cpu");
  EXPECT_EQ(ShownColumn(grid, col::kNumber), (Texts{"2", "1"}));
  EXPECT_EQ(Shown(grid, 1, col::kCpu), "01:02:05");
  EXPECT_EQ(grid.SortIndex(), 0);
  EXPECT_EQ(grid.SortDirection(), SortDirType::Descending);
  EXPECT_EQ(grid.ColumnMask(), kDefaultHistoryMask);
  EXPECT_FALSE(grid.isColumnHidden(col::kProject));
  EXPECT_TRUE(grid.isColumnHidden(col::kApplication));
  EXPECT_EQ(grid.verticalHeader()->defaultSectionSize(), TfrmHistory::kRowHeight);
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(HistoryWindowTest, PagesSitAtTheBottomAndEachShowsItsOwnMenus) {
  WriteLog({Row("SETI@home", "orion", "r1", "10")});
  const auto window = Open();
  QTabWidget& pages = *window->PageControl();
  EXPECT_EQ(pages.tabPosition(), QTabWidget::South);
  ASSERT_EQ(pages.count(), 2);
  EXPECT_EQ(pages.tabText(0), "Logfile");
  EXPECT_EQ(pages.tabText(1), "Statistics");
  EXPECT_EQ(window->OptionsMenu()->title(), "Options");
  EXPECT_EQ(window->ProjectsMenu()->title(), "Projects");
  EXPECT_EQ(window->HostsMenu()->title(), "Hosts");
  EXPECT_EQ(ActionTexts(*window->OptionsMenu()),
            (Texts{"Filter errorenous WUs", "Consider WUs with 0 seconds as errorenous"}));

  EXPECT_FALSE(window->OptionsMenu()->menuAction()->isVisible());
  EXPECT_TRUE(window->ProjectsMenu()->menuAction()->isVisible());
  EXPECT_TRUE(window->HostsMenu()->menuAction()->isVisible());
  pages.setCurrentIndex(TfrmHistory::kStatisticsPage);
  EXPECT_TRUE(window->OptionsMenu()->menuAction()->isVisible());
  EXPECT_FALSE(window->ProjectsMenu()->menuAction()->isVisible());
  EXPECT_FALSE(window->HostsMenu()->menuAction()->isVisible());
  pages.setCurrentIndex(TfrmHistory::kLogfilePage);
  EXPECT_FALSE(window->OptionsMenu()->menuAction()->isVisible());
  EXPECT_TRUE(window->HostsMenu()->menuAction()->isVisible());
}

TEST_F(HistoryWindowTest, HeaderClicksSortTheLogTable) {
  WriteLog({Row("B", "h", "r1", "100"), Row("a", "h", "r2", "9"), Row("C", "h", "r3", "1000")});
  const auto window = Open();
  window->show();
  TStringGridEx& grid = *window->Grid();
  test::ClickHeader(grid, col::kCpu);
  EXPECT_EQ(ShownColumn(grid, kResultName), (Texts{"r2", "r1", "r3"}));
  test::ClickHeader(grid, col::kCpu);
  EXPECT_EQ(ShownColumn(grid, kResultName), (Texts{"r3", "r1", "r2"}));
  test::ClickHeader(grid, col::kProject);
  EXPECT_EQ(ShownColumn(grid, col::kProject), (Texts{"a", "B", "C"}));
}

// --- The filter menus ---------------------------------------------------------------------

TEST_F(HistoryWindowTest, StatisticsColumnsHoldTheirNumbers) {
  // Years of CPU time: "Total CPU Time" and "Avg. CPU Time" need far more than their design
  // widths, even with a width stored from before.
  std::vector<std::string> rows;
  for (int i = 0; i < 40; ++i)
    rows.push_back(Row("SETI@home", "orion", "r" + std::to_string(i), "2000000000"));
  rows.push_back(Row("SETI@home", "orion", "zero", "0"));
  WriteLog(rows);
  settings.WriteInteger(sections::kHistory, "TreeColWidth4", 60);
  const auto window = Open();
  window->show();
  const QHeaderView& header = *window->Tree()->header();
  const QModelIndex project = window->TreeModel()->index(0, 0);
  ASSERT_EQ(TreeText(project, 3), "925925.9 days");
  for (const bool zeroAsError : {false, true}) {
    if (zeroAsError)
      window->ZeroItem()->trigger();
    const QFontMetrics metrics(project.data(Qt::FontRole).value<QFont>());
    for (int column = 1; column < 5; ++column) {
      const QString text = project.siblingAtColumn(column).data().toString();
      EXPECT_GT(header.sectionSize(column), metrics.horizontalAdvance(text) + 4)
          << column << " " << text.toStdString();
    }
  }
  window->done(0);
}

TEST_F(HistoryWindowTest, ProjectAndHostMenusHideRowsButNotStatistics) {
  WriteLog({Row("SETI@home", "Orion", "r1", "10"), Row("Rosetta", "orion", "r2", "20"),
            Row("SETI@home", "lyra", "r3", "30"), Row("R&D", "lyra", "r4", "40")});
  const auto window = Open();
  const TStringGridEx& grid = *window->Grid();
  // Sorted without regard to case; hosts differing only in case are one lower-case host; a
  // '&' shows as itself.
  EXPECT_EQ(ActionTexts(*window->ProjectsMenu()), (Texts{"R&&D", "Rosetta", "SETI@home"}));
  EXPECT_EQ(ActionTexts(*window->HostsMenu()), (Texts{"lyra", "orion"}));
  EXPECT_EQ(ShownColumn(grid, col::kHost), (Texts{"lyra", "lyra", "orion", "orion"}));
  for (QAction* item : window->ProjectsMenu()->actions())
    EXPECT_TRUE(item->isChecked());

  QAction* seti = window->ProjectsMenu()->actions().at(2);
  seti->trigger();
  EXPECT_FALSE(seti->isChecked());
  EXPECT_EQ(ShownColumn(grid, kResultName), (Texts{"r4", "r2"}));
  QAction* lyra = window->HostsMenu()->actions().at(0);
  lyra->trigger();
  EXPECT_EQ(ShownColumn(grid, kResultName), (Texts{"r2"}));
  seti->trigger();
  EXPECT_EQ(ShownColumn(grid, kResultName), (Texts{"r2", "r1"}));
  lyra->trigger();
  EXPECT_EQ(grid.model()->rowCount(), 4);

  // The statistics count every row whatever the filter.
  seti->trigger();
  const HistoryTreeModel& tree = *window->TreeModel();
  ASSERT_EQ(tree.rowCount(), 3);
  EXPECT_EQ(TreeText(tree.index(2, 0), 0), "SETI@home");
  EXPECT_EQ(TreeText(tree.index(2, 0), 1), "2");
}

// --- The statistics page ------------------------------------------------------------------

class HistoryStatisticsTest : public HistoryWindowTest {
 protected:
  void SetUp() override {
    HistoryWindowTest::SetUp();
    // One good row of 2 hours, one error of 1 hour, one of 0 seconds; one unnamed project.
    WriteLog({Row("SETI@home", "orion", "good", "7200"),
              Row("SETI@home", "orion", "bad", "3600", "true"),
              Row("SETI@home", "orion", "zero", "0.4"),
              Row("", "lyra", "nameless", "60", "FALSE", "", "")});
    window = Open();
    window->PageControl()->setCurrentIndex(TfrmHistory::kStatisticsPage);
  }
  QModelIndex Seti() const { return window->TreeModel()->index(1, 0); }
  Texts Numbers() const {
    Texts texts;
    for (int column = 1; column < 5; ++column)
      texts.push_back(TreeText(Seti(), column));
    return texts;
  }

  std::unique_ptr<TfrmHistory> window;
};

TEST_F(HistoryStatisticsTest, TreeByProjectApplicationHostAndVersion) {
  const HistoryTreeModel& tree = *window->TreeModel();
  ASSERT_EQ(tree.columnCount(), 5);
  Texts headers;
  for (int column = 0; column < 5; ++column)
    headers.push_back(ToBytes(tree.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()));
  EXPECT_EQ(headers, (Texts{"Project", "Workunits", "Errors", "Total CPU Time", "Avg. CPU Time"}));

  ASSERT_EQ(tree.rowCount(), 2);
  const QModelIndex unknown = tree.index(0, 0);
  EXPECT_EQ(TreeText(unknown, 0), "Unknown project");
  const QModelIndex application = tree.index(0, 0, unknown);
  EXPECT_EQ(TreeText(application, 0), "Unknown application");
  const QModelIndex host = tree.index(0, 0, application);
  EXPECT_EQ(TreeText(host, 0), "lyra");
  const QModelIndex version = tree.index(0, 0, host);
  EXPECT_EQ(TreeText(version, 0), "Unknown version");
  EXPECT_EQ(tree.parent(version), host);
  EXPECT_EQ(tree.parent(host), application);
  EXPECT_EQ(tree.parent(application), unknown);
  EXPECT_FALSE(tree.parent(unknown).isValid());
  EXPECT_EQ(tree.rowCount(version), 0);

  const QModelIndex setiVersion = tree.index(0, 0, tree.index(0, 0, tree.index(0, 0, Seti())));
  EXPECT_EQ(TreeText(setiVersion, 0), "Version 1.00");
  EXPECT_EQ(TreeText(setiVersion, 1), "3");
  // Nodes start collapsed.
  EXPECT_FALSE(window->Tree()->isExpanded(Seti()));
}

TEST_F(HistoryStatisticsTest, FontsByLevelNumbersRightAlignedAndABoldHeader) {
  const HistoryTreeModel& tree = *window->TreeModel();
  const QModelIndex application = tree.index(0, 0, Seti());
  const QModelIndex host = tree.index(0, 0, application);
  const QModelIndex version = tree.index(0, 0, host);
  const auto font = [](const QModelIndex& index) {
    return index.data(Qt::FontRole).value<QFont>();
  };
  EXPECT_EQ(font(Seti()).pointSize(), 12);
  EXPECT_TRUE(font(Seti()).bold());
  EXPECT_EQ(font(application).pointSize(), 10);
  EXPECT_TRUE(font(application).bold());
  EXPECT_EQ(font(host).pointSize(), 10);
  EXPECT_FALSE(font(host).bold());
  EXPECT_EQ(font(version).pointSize(), 9);
  EXPECT_FALSE(font(version).bold());

  const auto alignment = [](const QModelIndex& index) {
    return index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
  };
  EXPECT_TRUE(alignment(Seti()) & Qt::AlignLeft);
  for (int column = 1; column < 5; ++column)
    EXPECT_TRUE(alignment(Seti().siblingAtColumn(column)) & Qt::AlignRight) << column;

  const QHeaderView& header = *window->Tree()->header();
  EXPECT_TRUE(header.font().bold());
  EXPECT_GE(header.minimumHeight(), TfrmHistory::kTreeHeaderHeight);
  EXPECT_TRUE(header.sectionsMovable());
  EXPECT_EQ(header.sectionSize(0), 250);
  EXPECT_EQ(header.sectionSize(1), 80);
  EXPECT_EQ(header.sectionSize(2), 60);
  EXPECT_EQ(header.sectionSize(4), 125);
}

TEST_F(HistoryStatisticsTest, TheTwoOptionsInAllFourCombinations) {
  // good 7200 s, error 3600 s, zero 0 s.
  EXPECT_EQ(Numbers(), (Texts{"3", "1", "0.1 days", "1.0 hours"}));
  int repaints = 0;
  QObject::connect(window->TreeModel(), &QAbstractItemModel::dataChanged,
                   [&repaints] { ++repaints; });

  window->ErrorItem()->trigger();  // errors leave the work units and the CPU time
  EXPECT_TRUE(window->ErrorItem()->isChecked());
  EXPECT_GT(repaints, 0);
  EXPECT_EQ(Numbers(), (Texts{"2", "1", "0.1 days", "1.0 hours"}));

  window->ZeroItem()->trigger();  // and so do the rows of 0 seconds
  EXPECT_EQ(Numbers(), (Texts{"1", "2", "0.1 days", "2.0 hours"}));

  window->ErrorItem()->trigger();  // zero alone: counted as errors, still work units
  EXPECT_FALSE(window->ErrorItem()->isChecked());
  EXPECT_EQ(Numbers(), (Texts{"3", "2", "0.1 days", "1.0 hours"}));

  window->ZeroItem()->trigger();
  EXPECT_EQ(Numbers(), (Texts{"3", "1", "0.1 days", "1.0 hours"}));
}

TEST_F(HistoryStatisticsTest, TheProjectColumnKeepsItsMinimumWidth) {
  QHeaderView& header = *window->Tree()->header();
  header.resizeSection(0, 100);
  EXPECT_EQ(header.sectionSize(0), 250);
  header.resizeSection(0, 300);
  EXPECT_EQ(header.sectionSize(0), 300);
  header.resizeSection(1, 20);
  EXPECT_EQ(header.sectionSize(1), 20);
}

// --- Settings -------------------------------------------------------------------------------

TEST_F(HistoryWindowTest, SettingsAreSavedOnCloseAndRestoredOnTheNextOpening) {
  WriteLog({Row("SETI@home", "orion", "r1", "10")});
  {
    const auto window = Open();
    window->show();
    window->move(40, 50);
    window->resize(640, 420);
    // Hide "date" through the column menu; move and widen statistics columns.
    window->Grid()->ColumnMenu()->actions().at(1)->trigger();
    QHeaderView& header = *window->Tree()->header();
    header.moveSection(header.visualIndex(2), 1);  // "Errors" second
    header.resizeSection(4, 140);
    window->close();
  }
  std::string mask = kDefaultHistoryMask;
  mask[1] = '0';
  EXPECT_EQ(Stored(settings::kSelected), mask);
  EXPECT_EQ(Stored(settings::kMaximized), "0");
  EXPECT_EQ(Stored(settings::kLeft), "40");
  EXPECT_EQ(Stored(settings::kTop), "50");
  EXPECT_EQ(Stored(settings::kWidth), "640");
  EXPECT_EQ(Stored(settings::kHeight), "420");
  EXPECT_EQ(Stored("TreeColPos1"), "0");
  EXPECT_EQ(Stored("TreeColPos3"), "1");
  EXPECT_EQ(Stored("TreeColPos2"), "2");
  EXPECT_EQ(Stored("TreeColWidth5"), "140");
  EXPECT_EQ(Stored("TreeColWidth1"), "250");

  const auto again = Open();
  EXPECT_EQ(again->Grid()->ColumnMask(), mask);
  EXPECT_TRUE(again->Grid()->isColumnHidden(1));
  EXPECT_EQ(again->x(), 40);
  EXPECT_EQ(again->y(), 50);
  EXPECT_EQ(again->width(), 640);
  EXPECT_EQ(again->height(), 420);
  again->show();  // the statistics columns come back when the window is shown
  const QHeaderView& header = *again->Tree()->header();
  EXPECT_EQ(header.visualIndex(2), 1);
  EXPECT_EQ(header.visualIndex(1), 2);
  EXPECT_EQ(header.sectionSize(4), 140);
  again->close();
}

TEST_F(HistoryWindowTest, AMaximizedWindowStoresNoNormalGeometry) {
  WriteLog({Row("SETI@home", "orion", "r1", "10")});
  settings.WriteBool(sections::kHistory, settings::kMaximized, true);
  settings.WriteInteger(sections::kHistory, settings::kWidth, 600);
  const auto window = Open();
  EXPECT_TRUE(window->windowState().testFlag(Qt::WindowMaximized));
  window->done(0);
  EXPECT_EQ(Stored(settings::kMaximized), "1");
  EXPECT_EQ(Stored(settings::kWidth), "600");
  EXPECT_EQ(Stored(settings::kLeft), "<none>");
}

TEST_F(HistoryWindowTest, AStoredMaskOfTheWrongLengthIsIgnored) {
  WriteLog({Row("SETI@home", "orion", "r1", "10")});
  const std::string all(kHistoryColumnCount, '1');
  settings.WriteString(sections::kHistory, settings::kSelected, all);
  EXPECT_EQ(Open()->Grid()->ColumnMask(), all);
  settings.WriteString(sections::kHistory, settings::kSelected, all.substr(1));
  EXPECT_EQ(Open()->Grid()->ColumnMask(), kDefaultHistoryMask);
}

TEST_F(HistoryWindowTest, WithoutRowsTheSettingsAreStoredAtOnceKeepingTheMask) {
  dir.Write("logs/boinc.csv", logs::kBoincCsvHeader);
  const std::string mask(kHistoryColumnCount, '1');
  settings.WriteString(sections::kHistory, settings::kSelected, mask);
  settings.WriteInteger(sections::kHistory, "TreeColWidth4", 200);
  const auto window = Open();
  EXPECT_EQ(window->Grid()->model()->rowCount(), 0);
  EXPECT_EQ(window->Grid()->model()->columnCount(), static_cast<int>(kHistoryColumnCount));
  EXPECT_TRUE(window->ProjectsMenu()->actions().isEmpty());
  EXPECT_EQ(window->TreeModel()->rowCount(), 0);
  // Written before the window is even shown, and the stored statistics layout survives.
  EXPECT_EQ(Stored(settings::kSelected), mask);
  EXPECT_EQ(Stored("TreeColWidth4"), "200");
  EXPECT_EQ(Stored(settings::kLeft), "274");
  EXPECT_TRUE(messages.texts.empty());
  window->done(0);
  EXPECT_EQ(Stored(settings::kSelected), mask);
}

TEST_F(HistoryWindowTest, AMissingLogOpensAnEmptyWindowWithoutAMessage) {
  const std::string mask(kHistoryColumnCount, '1');
  settings.WriteString(sections::kHistory, settings::kSelected, mask);
  const auto window = Open();
  EXPECT_EQ(window->Grid()->model()->rowCount(), 0);
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_FALSE(fs::exists(LogPath()));
  window->done(0);
  EXPECT_EQ(Stored(settings::kSelected), mask);
}

TEST_F(HistoryWindowTest, AReadErrorIsShownAndKeepsTheStoredMask) {
  dir.MakeDir("logs/boinc.csv");
  const std::string mask(kHistoryColumnCount, '1');
  settings.WriteString(sections::kHistory, settings::kSelected, mask);
  const auto window = Open();
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(messages.kinds[0], MessageKind::kError);
  EXPECT_EQ(messages.captions[0], "Tessarin - History");
  EXPECT_NE(messages.texts[0].find("boinc.csv"), std::string::npos);
  EXPECT_EQ(window->Grid()->model()->rowCount(), 0);
  window->done(0);
  EXPECT_EQ(Stored(settings::kSelected), mask);
}

// --- The log is only read ----------------------------------------------------------------------

TEST_F(HistoryWindowTest, TheWindowNeverChangesTheLog) {
  WriteLog({Row("SETI@home", "orion", "r1", "10"), Row("Rosetta", "lyra", "r2", "0", "TRUE")});
  const fs::file_time_type past = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(LogPath(), past);
  const std::string before = dir.Read("logs/boinc.csv");
  {
    const auto window = Open();
    window->show();
    test::ClickHeader(*window->Grid(), col::kCpu);
    window->ProjectsMenu()->actions().at(0)->trigger();
    window->Grid()->ColumnMenu()->actions().at(2)->trigger();
    window->PageControl()->setCurrentIndex(TfrmHistory::kStatisticsPage);
    window->ErrorItem()->trigger();
    window->close();
  }
  EXPECT_EQ(dir.Read("logs/boinc.csv"), before);
  EXPECT_EQ(fs::last_write_time(LogPath()), past);
}

TEST_F(HistoryWindowTest, OpensWhileACycleAppendsToTheLog) {
  std::vector<std::string> rows;
  for (int i = 0; i < 2000; ++i)
    rows.push_back(Row("SETI@home", "orion", "r" + std::to_string(i), "10"));
  WriteLog(rows);
  std::atomic<bool> stop{false};
  std::atomic<int> appended{0};
  std::thread logger([&] {
    // Row by row as the logger writes them: line break first, then the row in two writes.
    while (!stop) {
      std::ofstream out(LogPath(), std::ios::binary | std::ios::app);
      const std::string row = Row("Rosetta", "lyra", "late" + std::to_string(appended), "20");
      out << "\r\n" << row.substr(0, row.size() / 2) << std::flush;
      out << row.substr(row.size() / 2) << std::flush;
      ++appended;
    }
  });
  const auto window = Open();
  stop = true;
  logger.join();

  const TStringGridEx& grid = *window->Grid();
  ASSERT_GE(grid.model()->rowCount(), 2000);
  EXPECT_LE(grid.model()->rowCount(), 2000 + appended.load());
  // Every row whole: a row cut in the middle would lose its "cpu" or "error" cell.
  for (int row = 0; row < grid.model()->rowCount(); ++row) {
    const std::string cpu = Shown(grid, row, col::kCpu);
    ASSERT_TRUE(cpu == "00:00:10" || cpu == "00:00:20") << row << ": " << cpu;
    ASSERT_EQ(Shown(grid, row, col::kError), "FALSE") << row;
  }
}

}  // namespace
}  // namespace tessarin
