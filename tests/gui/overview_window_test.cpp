#include <gtest/gtest.h>

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QLocale>
#include <QTimer>
#include <QTreeView>
#include <cmath>
#include <string>

#include "core/browsers/overview_estimate.h"
#include "core/browsers/overview_layout.h"
#include "core/data/result_list.h"
#include "core/settings/settings_store.h"
#include "gui/browsers/overview_date_text.h"
#include "gui/browsers/overview_model.h"
#include "gui/browsers/overview_window.h"
#include "gui/qt_text.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

constexpr double kNow = 1767225600;  // 2026-01-01 00:00 UTC, a whole hour
constexpr double kHour = 3600;

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "tessarin_gui_tests";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance() == nullptr)
    new QApplication(argc, argv);
}

ResultEntry Row(const std::string& host, const std::string& project, const std::string& result,
                float share, std::int32_t timeLeft, double deadline, std::uint8_t state = 2) {
  ResultEntry row;
  row.HostName = host;
  row.ProjectName = project;
  row.ResultFileName = result;
  row.WuName = result.empty() ? "" : result + "_wu";
  row.HostSpeed = 1e9;
  row.Deadline = deadline;
  row.State = state;
  row.TimeLeft = timeLeft;
  row.ResourceShare = share;
  row.Availability = 1;
  return row;
}

// Host "alpha": shares 100 and 300 with 1 and 9 CPU hours (the smaller project finishes at 4
// hours, the other at 10, or 12 without the redistribution). Host "zeta": one result that
// will miss its deadline and one that is uploading.
ResultList SmallList() {
  ResultList list;
  list.push_back(Row("zeta", "Einstein@Home", "e_late", 100, 7200, kNow + kHour));
  list.push_back(Row("zeta", "Einstein@Home", "e_done", 100, 0, kNow + 50 * kHour, 4));
  list.push_back(Row("alpha", "Rosetta", "", 300, -1, 0, 0));
  list.push_back(Row("alpha", "Rosetta", "r_1", 300, 9 * 3600, kNow + 11 * kHour));
  list.push_back(Row("alpha", "Milkyway", "", 100, -1, 0, 0));
  list.push_back(Row("alpha", "Milkyway", "m_1", 100, 3600, kNow + 100 * kHour));
  list[2].LongTermDebt = -5.25f;
  return list;
}

class OverviewWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApplication(); }

  std::string Text(const QModelIndex& index) const {
    return ToBytes(index.data(Qt::DisplayRole).toString());
  }
  static bool Red(const QModelIndex& index) {
    return index.data(Qt::ForegroundRole).value<QBrush>().color() == QColor(Qt::red);
  }

  test::TempDir dir;
  SettingsStore settings{dir.path() + "Tessarin.ini"};
};

TEST_F(OverviewWindowTest, TreeRowsTextsAndExpansion) {
  TfrmOverview window(settings, SmallList(), kNow);
  const OverviewModel& model = *window.Model();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Tessarin - Overall view"));
  ASSERT_EQ(model.columnCount(), 6);
  EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Project");
  EXPECT_EQ(model.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "Est. finish");

  ASSERT_EQ(model.rowCount(), 2);
  const QModelIndex alpha = model.index(0, 0);
  const QModelIndex zeta = model.index(1, 0);
  EXPECT_EQ(Text(alpha), "alpha");
  EXPECT_EQ(Text(zeta), "zeta");
  EXPECT_EQ(Text(model.index(0, overview_column::kWorkunits)), "2 / 2");
  EXPECT_EQ(Text(model.index(0, overview_column::kTimeLeft)), "10:00:00");
  EXPECT_EQ(Text(model.index(1, overview_column::kWorkunits)), "1 / 2");

  ASSERT_EQ(model.rowCount(alpha), 2);
  const QModelIndex milkyway = model.index(0, 0, alpha);
  const QModelIndex rosetta = model.index(1, 0, alpha);
  EXPECT_EQ(Text(milkyway), "Milkyway");
  EXPECT_EQ(Text(rosetta), "Rosetta");
  EXPECT_EQ(model.parent(rosetta), alpha);
  EXPECT_EQ(Text(rosetta.siblingAtColumn(overview_column::kLtd)), "-5.25");
  EXPECT_EQ(Text(milkyway.siblingAtColumn(overview_column::kLtd)), "0.00");

  ASSERT_EQ(model.rowCount(rosetta), 1);
  const QModelIndex r1 = model.index(0, 0, rosetta);
  EXPECT_EQ(Text(r1), "r_1");
  EXPECT_EQ(model.parent(r1), rosetta);
  EXPECT_EQ(model.parent(model.parent(r1)), alpha);
  EXPECT_EQ(model.rowCount(r1), 0);
  EXPECT_EQ(Text(r1.siblingAtColumn(overview_column::kDeadline)),
            OverviewDateText(kNow + 11 * kHour));
  EXPECT_EQ(Text(r1.siblingAtColumn(overview_column::kEstFinish)),
            OverviewDateText(kNow + 10 * kHour) + "  -  " + OverviewDateText(kNow + 12 * kHour));
  EXPECT_EQ(Text(model.index(1, overview_column::kEstFinish, model.index(0, 0, zeta))), "finished");

  // Hosts open, projects closed.
  EXPECT_TRUE(window.Tree()->isExpanded(alpha));
  EXPECT_TRUE(window.Tree()->isExpanded(zeta));
  EXPECT_FALSE(window.Tree()->isExpanded(rosetta));
}

TEST_F(OverviewWindowTest, FontsAlignmentAndRedMarks) {
  TfrmOverview window(settings, SmallList(), kNow);
  const OverviewModel& model = *window.Model();
  const QModelIndex alpha = model.index(0, 0);
  const QModelIndex rosetta = model.index(1, 0, alpha);
  const QModelIndex r1 = model.index(0, 0, rosetta);
  const QModelIndex late = model.index(0, 0, model.index(0, 0, model.index(1, 0)));
  ASSERT_EQ(Text(late), "e_late");

  const QFont hostFont = alpha.data(Qt::FontRole).value<QFont>();
  EXPECT_EQ(hostFont.pointSize(), 12);
  EXPECT_TRUE(hostFont.bold());
  EXPECT_EQ(rosetta.data(Qt::FontRole).value<QFont>().pointSize(), 10);
  const QFont resultFont = r1.data(Qt::FontRole).value<QFont>();
  EXPECT_EQ(resultFont.pointSize(), 9);
  EXPECT_FALSE(resultFont.bold());

  EXPECT_TRUE(model.index(0, overview_column::kWorkunits).data(Qt::TextAlignmentRole).toInt() &
              Qt::AlignRight);
  EXPECT_TRUE(model.index(0, overview_column::kEstFinish).data(Qt::TextAlignmentRole).toInt() &
              Qt::AlignLeft);

  // Negative debt: only the LTD cell of the project.
  EXPECT_TRUE(Red(rosetta.siblingAtColumn(overview_column::kLtd)));
  EXPECT_FALSE(Red(rosetta));
  // Only the estimate without redistribution misses the deadline: the Deadline cell alone.
  EXPECT_TRUE(Red(r1.siblingAtColumn(overview_column::kDeadline)));
  EXPECT_FALSE(Red(r1));
  EXPECT_FALSE(Red(r1.siblingAtColumn(overview_column::kEstFinish)));
  // Both estimates miss it: every column.
  for (int column = 0; column < overview_column::kCount; ++column)
    EXPECT_TRUE(Red(late.siblingAtColumn(column))) << column;
  EXPECT_FALSE(Red(model.index(0, 0, model.index(0, 0, alpha))));
}

TEST_F(OverviewWindowTest, KeepsItsOwnCopyOfTheResultList) {
  ResultList kept = SmallList();
  TfrmOverview window(settings, kept, kNow);
  // The next cycle replaces the kept list while the window is open.
  kept.clear();
  kept.push_back(Row("omega", "LHC@home", "l_1", 100, 60, kNow + kHour));
  kept = ResultList{};
  const OverviewModel& model = *window.Model();
  ASSERT_EQ(model.rowCount(), 2);
  EXPECT_EQ(Text(model.index(0, 0)), "alpha");
  EXPECT_EQ(Text(model.index(0, overview_column::kWorkunits)), "2 / 2");
}

TEST_F(OverviewWindowTest, EmptyListOpensAnEmptyTree) {
  TfrmOverview window(settings, {}, kNow);
  EXPECT_EQ(window.Model()->rowCount(), 0);
  EXPECT_EQ(window.Model()->columnCount(), 6);
}

TEST_F(OverviewWindowTest, DesignPlacementWithoutSettings) {
  TfrmOverview window(settings, SmallList(), kNow);
  window.show();
  QHeaderView* header = window.Tree()->header();
  for (int i = 0; i < overview_column::kCount; ++i) {
    EXPECT_EQ(header->visualIndex(i), i);
    const int design = kOverviewColumns[static_cast<std::size_t>(i)].Width;
    // The date columns may be wider for the locale's dates.
    if (i == overview_column::kDeadline || i == overview_column::kEstFinish)
      EXPECT_GE(header->sectionSize(i), design) << i;
    else
      EXPECT_EQ(header->sectionSize(i), design) << i;
  }
  EXPECT_EQ(window.width(), kOverviewDesignWidth);
  EXPECT_EQ(window.height(), kOverviewDesignHeight);
  EXPECT_TRUE(header->font().bold());
  window.reject();
}

TEST_F(OverviewWindowTest, SavesPlacementAndColumnsOnClose) {
  {
    TfrmOverview window(settings, SmallList(), kNow);
    window.show();
    window.move(30, 40);
    window.resize(800, 400);
    QHeaderView* header = window.Tree()->header();
    header->moveSection(header->visualIndex(overview_column::kLtd), 0);
    header->resizeSection(overview_column::kLtd, 77);
    header->resizeSection(overview_column::kWorkunits, 10);  // below its minimum of 80
    window.reject();
  }
  // On disk, not only in the store.
  const SettingsStore reread(dir.path() + "Tessarin.ini");
  EXPECT_EQ(reread.ReadInteger("Overview", "Left", -1), 30);
  EXPECT_EQ(reread.ReadInteger("Overview", "Top", -1), 40);
  EXPECT_EQ(reread.ReadInteger("Overview", "Width", -1), 800);
  EXPECT_EQ(reread.ReadInteger("Overview", "Height", -1), 400);
  EXPECT_EQ(reread.ReadString("Overview", "Maximized", ""), "0");
  EXPECT_EQ(reread.ReadInteger("Overview", "TreeColPos6", -1), 0);
  EXPECT_EQ(reread.ReadInteger("Overview", "TreeColPos1", -1), 1);
  EXPECT_EQ(reread.ReadInteger("Overview", "TreeColPos5", -1), 5);
  EXPECT_EQ(reread.ReadInteger("Overview", "TreeColWidth6", -1), 77);
  EXPECT_EQ(reread.ReadInteger("Overview", "TreeColWidth2", -1), 80);
  EXPECT_EQ(reread.ReadInteger("Overview", "TreeColWidth1", -1), 350);

  // The next window comes back as it was left.
  TfrmOverview again(settings, SmallList(), kNow);
  again.show();
  QHeaderView* header = again.Tree()->header();
  EXPECT_EQ(header->visualIndex(overview_column::kLtd), 0);
  EXPECT_EQ(header->visualIndex(overview_column::kProject), 1);
  EXPECT_EQ(header->sectionSize(overview_column::kLtd), 77);
  EXPECT_EQ(again.pos(), QPoint(30, 40));
  EXPECT_EQ(again.size(), QSize(800, 400));
  again.reject();
}

TEST_F(OverviewWindowTest, RestoresStoredColumnOrderAndKeepsMinimumWidths) {
  // Reversed order; one width below its column's minimum.
  for (int tag = 1; tag <= 6; ++tag) {
    settings.WriteInteger("Overview", "TreeColPos" + std::to_string(tag), 6 - tag);
    settings.WriteInteger("Overview", "TreeColWidth" + std::to_string(tag), 120 + tag);
  }
  settings.WriteInteger("Overview", "TreeColWidth6", 10);
  TfrmOverview window(settings, SmallList(), kNow);
  window.show();
  QHeaderView* header = window.Tree()->header();
  for (int i = 0; i < overview_column::kCount; ++i)
    EXPECT_EQ(header->visualIndex(i), 5 - i) << i;
  EXPECT_EQ(header->sectionSize(overview_column::kProject), 350);  // minimum 350
  EXPECT_EQ(header->sectionSize(overview_column::kWorkunits), 122);
  EXPECT_EQ(header->sectionSize(overview_column::kLtd), 50);
  window.reject();
}

TEST_F(OverviewWindowTest, MaximizedWindowKeepsTheNormalPlacement) {
  settings.WriteInteger("Overview", "Left", 11);
  settings.WriteInteger("Overview", "Width", 500);
  settings.WriteBool("Overview", "Maximized", true);
  {
    TfrmOverview window(settings, SmallList(), kNow);
    EXPECT_TRUE(window.windowState().testFlag(Qt::WindowMaximized));
    window.show();
    window.reject();
  }
  EXPECT_TRUE(settings.ReadBool("Overview", "Maximized", false));
  EXPECT_EQ(settings.ReadInteger("Overview", "Left", -1), 11);
  EXPECT_EQ(settings.ReadInteger("Overview", "Width", -1), 500);
  EXPECT_TRUE(settings.ValueExists("Overview", "TreeColWidth1"));
}

TEST_F(OverviewWindowTest, ShowOverviewWindowRunsModallyAndSavesOnClose) {
  bool wasModal = false;
  QTimer::singleShot(0, [&wasModal] {
    QWidget* modal = QApplication::activeModalWidget();
    wasModal =
        modal != nullptr && modal->windowTitle() == QStringLiteral("Tessarin - Overall view");
    // Whatever was found, every open window closes, so a failure cannot hang the test.
    for (QWidget* widget : QApplication::topLevelWidgets())
      widget->close();
  });
  ShowOverviewWindow(nullptr, settings, SmallList(), kNow);
  EXPECT_TRUE(wasModal);
  EXPECT_TRUE(settings.ValueExists("Overview", "TreeColPos1"));
}

// Dark pixels in the lower half of a cell as drawn in the window, where underscores are.
int DarkPixelsBelowMiddle(TfrmOverview& window, const QModelIndex& index) {
  window.Tree()->expandAll();
  QWidget* viewport = window.Tree()->viewport();
  QImage image(viewport->size(), QImage::Format_RGB32);
  viewport->render(&image);
  const QRect cell = window.Tree()->visualRect(index);
  int dark = 0;
  for (int y = cell.center().y() + 1; y <= cell.bottom(); ++y) {
    for (int x = cell.left(); x <= cell.right(); ++x)
      dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
  }
  return dark;
}

TEST_F(OverviewWindowTest, UnderscoresOfResultNamesStayVisible) {
  int dark[2] = {0, 0};
  const char* names[2] = {"h1 1234.0 S4R2a  57", "h1_1234.0_S4R2a__57"};
  for (int i = 0; i < 2; ++i) {
    TfrmOverview window(settings, {Row("h", "p", names[i], 100, 60, kNow + 9 * kHour)}, kNow);
    window.show();
    const QModelIndex result = window.Model()->index(0, 0, window.Model()->index(0, 0, {}));
    const QModelIndex cell = window.Model()->index(0, 0, result);
    ASSERT_EQ(Text(cell), names[i]);
    dark[i] = DarkPixelsBelowMiddle(window, cell);
    window.reject();
  }
  // Four underscores of several pixels each.
  EXPECT_GT(dark[1], dark[0] + 12) << dark[0];
}

TEST_F(OverviewWindowTest, DateColumnsHoldTheDatesOfTheLocale) {
  for (const char* name : {"en_US", "en_GB", "de_DE", "C"}) {
    SCOPED_TRACE(name);
    const QLocale locale(QString::fromLatin1(name));
    // 22:58 on the 28th: two-digit day and hour, afternoon.
    ResultList list = SmallList();
    list[3].Deadline = kNow + 27 * 24 * kHour + 22 * kHour + 58 * 60;
    TfrmOverview window(settings, list, kNow, nullptr, locale);
    window.show();
    const OverviewModel& model = *window.Model();
    const QModelIndex r1 = model.index(0, 0, model.index(1, 0, model.index(0, 0)));
    ASSERT_EQ(Text(r1), "r_1");
    EXPECT_EQ(Text(r1.siblingAtColumn(overview_column::kDeadline)),
              OverviewDateText(list[3].Deadline, locale));
    const QFontMetrics metrics(r1.data(Qt::FontRole).value<QFont>());
    for (int column : {overview_column::kDeadline, overview_column::kEstFinish}) {
      const QString text = r1.siblingAtColumn(column).data().toString();
      // Qt cuts a text that does not fit with a margin on either side.
      EXPECT_GT(window.Tree()->header()->sectionSize(column), metrics.horizontalAdvance(text) + 4)
          << column << " " << text.toStdString();
    }
    window.reject();
  }
}

TEST(OverviewDateTextTest, LocalShortFormatWithinTheCalendar) {
  EnsureApplication();
  EXPECT_FALSE(OverviewDateText(kNow).empty());
  EXPECT_NE(OverviewDateText(kNow), OverviewDateText(kNow + 86400));
  EXPECT_FALSE(OverviewDateText(kLatestFinish).empty());
  EXPECT_EQ(OverviewDateText(kLatestFinish + 86400), "");
  EXPECT_EQ(OverviewDateText(std::nan("")), "");
  EXPECT_EQ(OverviewDateText(-1e18), "");
}

}  // namespace
}  // namespace tessarin
