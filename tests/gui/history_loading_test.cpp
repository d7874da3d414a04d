// Reading the History window's data off the interface thread: the result, a read error, and
// the busy dialog with the event loop still running while a large log is read.

#include "gui/browsers/history_loading.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "core/browsers/history_columns.h"
#include "core/browsers/history_test_log.h"
#include "core/settings/settings_store.h"
#include "hint_test_support.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

namespace col = history_columns;

class HistoryLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApplication();
    font = QApplication::font();
  }
  void WriteLog(int rows) const {
    std::vector<std::string> lines;
    for (int i = 0; i < rows; ++i) {
      lines.push_back(test::LogRow({{"project_name", i % 2 ? "SETI@home" : "Einstein@Home"},
                                    {"domain_name", "orion"},
                                    {"result_name", "result_" + std::to_string(i)},
                                    {"cpu", std::to_string(100 + i)}}));
    }
    dir.Write("logs/boinc.csv", test::LogText(lines));
  }
  static QProgressDialog* VisibleBusyDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QProgressDialog*>(widget);
      if (dialog != nullptr && dialog->isVisible())
        return dialog;
    }
    return nullptr;
  }

  test::TempDir dir;
  SettingsStore settings{dir.path() + "Tessarin.ini"};
  QFont font;
};

TEST_F(HistoryLoadingTest, GivesTheModelWithColumnsMeasuredInTheGridsFont) {
  WriteLog(3);
  HistoryLoading loading = LoadHistoryWithProgress(nullptr, settings, dir.path(), font);
  ASSERT_TRUE(loading.model.has_value());
  EXPECT_TRUE(loading.error.empty());
  const HistoryModel& model = *loading.model;
  EXPECT_EQ(model.table.RowCount(), 3u);
  const QFontMetrics metrics(font);
  EXPECT_EQ(model.columns.Width(col::kProject),
            std::max(metrics.horizontalAdvance("project_name") + 20,
                     metrics.horizontalAdvance("Einstein@Home") + 5));
  EXPECT_EQ(model.columns.Width(col::kNumber), metrics.horizontalAdvance("nr") + 20);
}

TEST_F(HistoryLoadingTest, AReadErrorGivesItsMessageAndNoModel) {
  dir.MakeDir("logs/boinc.csv");
  const HistoryLoading loading = LoadHistoryWithProgress(nullptr, settings, dir.path(), font);
  EXPECT_FALSE(loading.model.has_value());
  EXPECT_NE(loading.error.find("boinc.csv"), std::string::npos);
}

TEST_F(HistoryLoadingTest, ALongReadingShowsTheBusyDialogAndKeepsTheEventLoopRunning) {
  WriteLog(15000);
  int ticks = 0;
  std::string busyTitle;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    ++ticks;
    if (const QProgressDialog* busy = VisibleBusyDialog())
      busyTitle = busy->windowTitle().toStdString();
  });
  probe.start(1);
  const HistoryLoading loading =
      LoadHistoryWithProgress(nullptr, settings, dir.path(), font, /*busyDelayMs=*/0);
  probe.stop();
  ASSERT_TRUE(loading.model.has_value());
  EXPECT_EQ(loading.model->table.RowCount(), 15000u);
  EXPECT_GT(ticks, 0);
  EXPECT_EQ(busyTitle, "Tessarin - History");
  QApplication::processEvents();
  EXPECT_EQ(VisibleBusyDialog(), nullptr);
}

}  // namespace
}  // namespace tessarin
