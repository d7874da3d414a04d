// The main window: start-up bar, first cycle, showing, hiding and fitting, close to tray
// or exit, the two menus with their settings, and the tray image.

#include "gui/display/form_main.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QScreen>
#include <QThread>
#include <atomic>
#include <memory>

#include "core/display/window_fit.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/watcher/map_viewer.h"
#include "display_test_support.h"
#include "gui/controls/panel_ex.h"
#include "gui/display/draw_grid.h"
#include "hint_test_support.h"
#include "support/test_environment.h"
#include "version.h"

namespace tessarin {
namespace {

bool WaitFor(const std::function<bool()>& done, int ms = 10000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return done();
}

CycleOutcome Published(DisplayList list) {
  CycleOutcome outcome;
  outcome.published = true;
  outcome.display = std::move(list);
  return outcome;
}

std::vector<std::string> Hosts(const TFormMain& form) {
  std::vector<std::string> hosts;
  for (const SlotInfo& e : form.Slots().Entries())
    hosts.push_back(e.HostName + "/" + e.ProjectName);
  return hosts;
}

class FormMainTest : public ::testing::Test {
 protected:
  FormMainTest() { test::EnsureApplication(); }

  TFormMain& MakeForm(bool tray = true) {
    FormMainServices services{program.env,
                              launcher,
                              boxes,
                              [this] {
                                ++cycles;
                                CycleOutcome outcome = Published({test::Entry("h", "P")});
                                outcome.nextIntervalMs = 60000;
                                return outcome;
                              },
                              [this] {
                                ++scoresAsked;
                                return ScoreThresholds{};
                              },
                              [this] { ++wallpaperRequests; }};
    form = std::make_unique<TFormMain>(std::move(services), tray);
    QObject::connect(form.get(), &TFormMain::ProgramEnds, [this] { ++programEnds; });
    return *form;
  }

  // Started, with the timer held so no cycle comes unasked.
  TFormMain& StartedForm(bool tray = true) {
    TFormMain& f = MakeForm(tray);
    f.Start();
    f.Timer().stop();
    return f;
  }

  QRect Screen() const { return QGuiApplication::primaryScreen()->geometry(); }
  int Chrome() { return form->DrawGrid().ChromeHeight(); }

  test::TestEnvironment program;
  const test::TempDir& dir = program.dir;
  SettingsStore& settings = program.settings;
  test::RecordingLauncher launcher;
  test::ScriptedMessageBoxes boxes;
  std::atomic<int> cycles{0};
  int scoresAsked = 0;
  int wallpaperRequests = 0;
  int programEnds = 0;
  std::unique_ptr<TFormMain> form;
};

TEST_F(FormMainTest, StartShowsTheStartUpBarUntilTheFirstCycle) {
  TFormMain& f = MakeForm();
  f.Start();
  EXPECT_EQ(f.windowTitle(), "Tessarin v1.52");
  EXPECT_EQ(f.Panel().text(), QString::fromUtf8(version::kCopyright));
  EXPECT_FALSE(f.Panel().isEnabled());
  EXPECT_EQ(f.height(), kPanelHeight);
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(f.Timer().isActive());
  EXPECT_TRUE(f.Timer().isSingleShot());
  EXPECT_EQ(f.Timer().interval(), kDesignedIntervalMs);
  ASSERT_NE(f.TrayIcon(), nullptr);
  EXPECT_TRUE(f.TrayIcon()->isVisible());
  EXPECT_EQ(f.TrayIcon()->toolTip(), "Tessarin v1.52");

  // The first tick hides the bar, says "OK", and the cycle's list arrives.
  f.Timer().stop();
  f.TimerTimer();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(f.Panel().text(), "OK");
  EXPECT_TRUE(f.Panel().isEnabled());
  ASSERT_TRUE(WaitFor([&] { return f.Slots().rowCount() == 1; }));
  // The pause after a cycle is the cycle's own.
  EXPECT_TRUE(f.Timer().isActive());
  EXPECT_EQ(f.Timer().interval(), 60000);
  // The start-up bar was not high enough to be remembered.
  EXPECT_FALSE(settings.ValueExists("Options", "LastHeight"));
}

TEST_F(FormMainTest, SilentModeShowsNoBarAndCyclesAtOnce) {
  settings.WriteBool("Options", "silent", true);
  TFormMain& f = MakeForm();
  f.Start();
  EXPECT_TRUE(f.Silent());
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(f.Timer().interval(), kSilentIntervalMs);
  ASSERT_TRUE(WaitFor([&] { return f.Slots().rowCount() == 1; }));
  EXPECT_FALSE(f.isVisible());
}

TEST_F(FormMainTest, ShowingStartsAFreshCycleWhenNoneRuns) {
  TFormMain& f = MakeForm();
  f.Start();  // timer active: no cycle running
  f.ShowClick();
  EXPECT_TRUE(f.isVisible());
  ASSERT_TRUE(WaitFor([&] { return f.Slots().rowCount() == 1; }));
  EXPECT_EQ(cycles.load(), 1);
}

TEST_F(FormMainTest, FitWindowShowsOnlyWholeRowsAndCentres) {
  TFormMain& f = StartedForm();
  const QRect screen = Screen();
  for (const int rows : {1, 2, 12}) {
    DisplayList list;
    for (int i = 0; i < rows; ++i)
      list.push_back(test::Entry("host", "P", i));
    f.HandOver(Published(list));
    f.ShowClick();
    QApplication::processEvents();
    const int gridClient = f.height() - kPanelHeight - Chrome();
    EXPECT_EQ(gridClient, FitGridHeight(rows, kNormalRowHeight, screen.height())) << rows;
    EXPECT_EQ(gridClient % (kNormalRowHeight + 1), 0) << rows;
    EXPECT_LE(gridClient, screen.height() - kScreenReserve) << rows;
    // The grid's client area really is that high once laid out.
    EXPECT_EQ(f.DrawGrid().viewport()->height(), gridClient) << rows;
    EXPECT_EQ(f.x(), screen.x() + CentredOffset(screen.width(), f.frameGeometry().width()));
    EXPECT_EQ(f.y(), screen.y() + CentredOffset(screen.height(), f.frameGeometry().height()));
  }
}

TEST_F(FormMainTest, AShownWindowFitsItselfToTheFirstListAndToEveryNewCount) {
  TFormMain& f = StartedForm();
  f.ShowClick();  // opened before the first cycle's list: nothing to show yet
  QApplication::processEvents();
  const auto gridClient = [&] { return f.height() - kPanelHeight - Chrome(); };
  EXPECT_EQ(gridClient(), 0);
  const int screenHeight = Screen().height();
  for (const int rows : {1, 3, 2}) {
    DisplayList list;
    for (int i = 0; i < rows; ++i)
      list.push_back(test::Entry("host", "P", i));
    f.HandOver(Published(list));
    QApplication::processEvents();
    EXPECT_EQ(gridClient(), FitGridHeight(rows, kNormalRowHeight, screenHeight)) << rows;
    EXPECT_EQ(f.y(), Screen().y() + CentredOffset(screenHeight, f.frameGeometry().height()));
  }
  // The same number of entries leaves a window the user resized alone.
  f.resize(f.width(), 500);
  f.HandOver(Published({test::Entry("a", "P"), test::Entry("b", "P")}));
  EXPECT_EQ(f.height(), 500);
  // With centring off, only the height follows.
  settings.WriteBool("Options", "center", false);
  f.move(20, 30);
  f.HandOver(Published({test::Entry("a", "P")}));
  QApplication::processEvents();
  EXPECT_EQ(gridClient(), FitGridHeight(1, kNormalRowHeight, screenHeight));
  EXPECT_EQ(f.pos(), QPoint(20, 30));
}

TEST_F(FormMainTest, ShowingWithCentreOffRestoresTheRememberedPlace) {
  TFormMain& f = StartedForm();
  f.HandOver(Published({test::Entry("a", "P")}));
  const int fitted = kNormalRowHeight + 1 + kPanelHeight + Chrome();

  // Centre on (the default): fitted and centred, whatever place is remembered.
  settings.WriteInteger("Options", "LastLeft", 10);
  settings.WriteInteger("Options", "LastTop", 20);
  settings.WriteInteger("Options", "LastHeight", 300);
  f.ShowClick();
  EXPECT_EQ(f.height(), fitted);
  EXPECT_NE(f.pos(), QPoint(10, 20));
  f.HideIt();

  settings.WriteBool("Options", "center", false);
  settings.WriteInteger("Options", "LastLeft", 10);
  settings.WriteInteger("Options", "LastTop", 20);
  settings.WriteInteger("Options", "LastHeight", 300);
  f.ShowClick();
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(f.pos(), QPoint(10, 20));
  EXPECT_EQ(f.height(), 300);
  f.HideIt();

  // Without a remembered place the fitted one stays.
  for (const char* key : {"LastLeft", "LastTop", "LastHeight"})
    settings.DeleteKey("Options", key);
  f.ShowClick();
  EXPECT_EQ(f.height(), fitted);
  EXPECT_EQ(f.x(), CentredOffset(Screen().width(), f.frameGeometry().width()));
}

TEST_F(FormMainTest, HidingRemembersThePlaceOnlyAbove155Pixels) {
  TFormMain& f = StartedForm();
  f.resize(kDesignedWidth, 155);
  f.move(30, 40);
  f.ShowMainWindow();
  f.HideIt();
  EXPECT_FALSE(f.isVisible());
  EXPECT_FALSE(settings.ValueExists("Options", "LastHeight"));
  EXPECT_FALSE(settings.ValueExists("Options", "LastLeft"));

  f.resize(kDesignedWidth, 156);
  f.ShowMainWindow();
  f.HideIt();
  EXPECT_EQ(settings.ReadInteger("Options", "LastLeft", -1), 30);
  EXPECT_EQ(settings.ReadInteger("Options", "LastTop", -1), 40);
  EXPECT_EQ(settings.ReadInteger("Options", "LastHeight", -1), 156);
  // Flushed at once.
  EXPECT_NE(dir.Read("Tessarin.ini").find("LastHeight=156"), std::string::npos);
}

TEST_F(FormMainTest, ThePanelAndTheMinimiseButtonHideIntoTheTray) {
  TFormMain& f = StartedForm();
  f.TimerTimer();  // the first cycle enables the panel
  f.ShowMainWindow();
  emit f.Panel().Click(&f.Panel());
  EXPECT_FALSE(f.isVisible());

  f.ShowMainWindow();
  f.showMinimized();
  ASSERT_TRUE(WaitFor([&] { return !f.isVisible(); }));
  // Shown again it is a normal window, not a minimised one.
  f.ShowClick();
  EXPECT_TRUE(f.isVisible());
  EXPECT_FALSE(f.isMinimized());
}

TEST_F(FormMainTest, ThePanelLooksPressedWhileTheMouseIsOverIt) {
  TFormMain& f = StartedForm();
  emit f.Panel().MouseEnter(&f.Panel());
  EXPECT_TRUE(f.Panel().Lowered());
  emit f.Panel().MouseLeave(&f.Panel());
  EXPECT_FALSE(f.Panel().Lowered());
}

TEST_F(FormMainTest, ClosingHidesIntoTheTrayUnlessCloseToTrayIsOff) {
  TFormMain& f = StartedForm();
  f.ShowMainWindow();
  f.close();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(programEnds, 0);
  EXPECT_TRUE(f.TrayIcon()->isVisible());

  settings.WriteBool("Options", "closetotray", false);
  f.ShowMainWindow();
  f.close();
  EXPECT_EQ(programEnds, 1);
  EXPECT_FALSE(f.TrayIcon()->isVisible());
}

TEST_F(FormMainTest, ExitEndsTheProgramEvenWithCloseToTrayOn) {
  TFormMain& f = StartedForm();
  f.resize(kDesignedWidth, 300);
  f.ShowMainWindow();
  f.PopupMenu().DoExit->trigger();
  EXPECT_EQ(programEnds, 1);
  EXPECT_FALSE(f.TrayIcon()->isVisible());
  EXPECT_FALSE(f.Timer().isActive());
  // Exit hides first, so the place is remembered.
  EXPECT_EQ(settings.ReadInteger("Options", "LastHeight", -1), 300);
}

TEST_F(FormMainTest, WithoutATrayTheWindowMinimisesAndClosingEndsTheProgram) {
  TFormMain& f = StartedForm(/*tray=*/false);
  EXPECT_EQ(f.TrayIcon(), nullptr);
  f.ShowMainWindow();
  f.HideIt();
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(f.isMinimized());
  // The tray menu's items are in the grid's menu.
  EXPECT_TRUE(f.PopupMenu1().menu->actions().contains(f.PopupMenu().DoExit));
  EXPECT_TRUE(f.PopupMenu1().menu->actions().contains(f.PopupMenu().History));
  f.close();
  EXPECT_EQ(programEnds, 1);
}

TEST_F(FormMainTest, WithoutATrayRestoringTheWindowShowsTheFittedDisplay) {
  TFormMain& f = StartedForm(/*tray=*/false);
  f.TimerTimer();  // the first cycle minimises the start-up bar
  EXPECT_TRUE(f.isMinimized());
  ASSERT_TRUE(WaitFor([&] { return f.Slots().rowCount() == 1; }));
  EXPECT_EQ(f.height(), kPanelHeight);
  // The user restores it from the task bar: what a tray click would show.
  f.showNormal();
  ASSERT_TRUE(
      WaitFor([&] { return f.height() == kNormalRowHeight + 1 + kPanelHeight + Chrome(); }));
  EXPECT_FALSE(f.isMinimized());
  EXPECT_EQ(programEnds, 0);
}

TEST_F(FormMainTest, SortingFromTheMenuReordersAndIsKeptInTheSettingsStore) {
  TFormMain& f = StartedForm();
  f.HandOver(Published({test::Entry("b", "SETI@home", 1, 300, 0.2),
                        test::Entry("A", "Einstein@Home", 0, -1, 0.9),
                        test::Entry("b", "Climate", 0, 100, 0.5)}));
  // Handed-over lists are sorted by the checked item (host, then slot).
  EXPECT_EQ(Hosts(f), (std::vector<std::string>{"A/Einstein@Home", "b/Climate", "b/SETI@home"}));

  f.PopupMenu1().SortByProject->trigger();
  EXPECT_EQ(Hosts(f), (std::vector<std::string>{"b/Climate", "A/Einstein@Home", "b/SETI@home"}));
  EXPECT_EQ(settings.ReadInteger("Options", "SortBy", -1), 1);
  f.PopupMenu1().SortByTimeLeft->trigger();
  EXPECT_EQ(Hosts(f), (std::vector<std::string>{"b/Climate", "b/SETI@home", "A/Einstein@Home"}));
  f.PopupMenu1().SortByProgress->trigger();
  EXPECT_EQ(Hosts(f), (std::vector<std::string>{"A/Einstein@Home", "b/Climate", "b/SETI@home"}));
  EXPECT_EQ(settings.ReadInteger("Options", "SortBy", -1), 2);
  EXPECT_FALSE(f.PopupMenu1().SortByHost->isChecked());
  // Written to the store only: the next flush takes them to the disk.
  EXPECT_EQ(dir.Read("Tessarin.ini").find("SortBy"), std::string::npos);

  // The next cycle's list comes in progress order.
  f.HandOver(Published({test::Entry("x", "P", 0, -1, 0.1), test::Entry("y", "P", 0, -1, 0.7)}));
  EXPECT_EQ(Hosts(f), (std::vector<std::string>{"y/P", "x/P"}));
}

TEST_F(FormMainTest, TheCompactViewFitsTheWindowOnlyWithCentreOn) {
  TFormMain& f = StartedForm();
  f.HandOver(Published({test::Entry("a", "P"), test::Entry("b", "P")}));
  f.ShowClick();
  f.PopupMenu1().ViewCompact->trigger();
  EXPECT_TRUE(settings.ReadBool("Options", "CompactView", false));
  EXPECT_EQ(f.DrawGrid().RowHeight(), kCompactRowHeight);
  EXPECT_FALSE(f.PopupMenu1().ViewNormal->isChecked());
  EXPECT_EQ(f.height(), 2 * (kCompactRowHeight + 1) + kPanelHeight + Chrome());

  settings.WriteBool("Options", "center", false);
  const QRect before = f.geometry();
  f.PopupMenu1().ViewNormal->trigger();
  EXPECT_FALSE(settings.ReadBool("Options", "CompactView", true));
  EXPECT_EQ(f.DrawGrid().RowHeight(), kNormalRowHeight);
  EXPECT_EQ(f.geometry(), before);
}

TEST_F(FormMainTest, ViewAndSortAreRestoredFromTheSettings) {
  settings.WriteBool("Options", "CompactView", true);
  settings.WriteInteger("Options", "SortBy", 3);
  TFormMain& f = MakeForm();
  EXPECT_TRUE(f.PopupMenu1().ViewCompact->isChecked());
  EXPECT_TRUE(f.PopupMenu1().SortByTimeLeft->isChecked());
  EXPECT_EQ(f.DrawGrid().RowHeight(), kCompactRowHeight);

  // A value that matches no item leaves the designed check.
  settings.WriteBool("Options", "CompactView", false);
  settings.WriteInteger("Options", "SortBy", 7);
  TFormMain& g = MakeForm();
  EXPECT_TRUE(g.PopupMenu1().ViewNormal->isChecked());
  EXPECT_TRUE(g.PopupMenu1().SortByHost->isChecked());
  EXPECT_EQ(g.DrawGrid().RowHeight(), kNormalRowHeight);
}

TEST_F(FormMainTest, MenusHaveTheirItemsInOrder) {
  TFormMain& f = MakeForm();
  QStringList tray;
  for (const QAction* a : f.PopupMenu().menu->actions())
    tray << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(tray, (QStringList{"Show monitoring display", "Show overall view", "Show history",
                               "Show user stats", "-", "Setup Tessarin", "-",
                               "Start SETI@home-MapView", "-", "Exit"}));
  EXPECT_EQ(f.PopupMenu().menu->defaultAction(), f.PopupMenu().Show);
  EXPECT_FALSE(f.PopupMenu().ShowUserstats->isVisible());

  QStringList view;
  for (const QAction* a : f.PopupMenu1().View->actions())
    view << a->text();
  EXPECT_EQ(view, (QStringList{"Normal", "Compact"}));
  QStringList sort;
  for (const QAction* a : f.PopupMenu1().SortBy->actions())
    sort << a->text() + "=" + QString::number(a->data().toInt());
  EXPECT_EQ(sort, (QStringList{"Host=0", "Project=1", "Progress=2", "Time left=3"}));
}

TEST_F(FormMainTest, TheMapViewerItemShowsOnlyWhenTheProgramExists) {
  settings.WriteString("Options", "smvdir", "/opt/seti");
  TFormMain& f = MakeForm();
  launcher.exists = false;
  emit f.PopupMenu().menu->aboutToShow();
  EXPECT_FALSE(f.PopupMenu().MapView->isVisible());
  EXPECT_FALSE(f.PopupMenu().N1->isVisible());
  ASSERT_FALSE(launcher.asked.empty());
  EXPECT_EQ(launcher.asked.back(), "/opt/seti/smv");

  launcher.exists = true;
  emit f.PopupMenu().menu->aboutToShow();
  EXPECT_TRUE(f.PopupMenu().MapView->isVisible());
  EXPECT_TRUE(f.PopupMenu().N1->isVisible());
  f.PopupMenu().MapView->trigger();
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0], "/opt/seti/smv");
  EXPECT_TRUE(launcher.startedArgs[0].empty());
}

TEST_F(FormMainTest, WindowsNotBuiltYetAreAnnouncedAndBuiltOnesOpen) {
  TFormMain& f = StartedForm();
  f.PopupMenu().History->trigger();
  f.PopupMenu().Overview->trigger();
  f.PopupMenu().Setup->trigger();
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_TRUE(boxes.shown[0].text.contains("history"));
  EXPECT_TRUE(boxes.shown[1].text.contains("overall view"));
  EXPECT_TRUE(boxes.shown[2].text.contains("setup"));
  EXPECT_EQ(boxes.shown[0].kind, MessageKind::kInformation);
  EXPECT_EQ(scoresAsked, 0);

  CycleOutcome outcome = Published({});
  outcome.results.resize(2);
  f.HandOver(outcome);
  std::size_t overviewRows = 0;
  int historyOpened = 0;
  WindowOpeners openers;
  openers.overview = [&](const WindowContext& context, const ResultList& results) {
    EXPECT_EQ(context.parent, &f);
    overviewRows = results.size();
  };
  openers.history = [&](const WindowContext& context) {
    EXPECT_EQ(&context.env.settings, &settings);
    ++historyOpened;
  };
  openers.setup = [](const WindowContext& context) {
    context.requestWallpaper();
    return true;
  };
  f.SetWindowOpeners(std::move(openers));
  f.Timer().start(5000);
  settings.WriteInteger("Options", "timer", 7);
  f.PopupMenu().Overview->trigger();
  f.PopupMenu().History->trigger();
  f.PopupMenu().Setup->trigger();
  EXPECT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(overviewRows, 2u);
  EXPECT_EQ(historyOpened, 1);
  // A confirmed setup applies the interval and computes the thresholds again.
  EXPECT_EQ(f.Timer().interval(), 7000);
  EXPECT_EQ(scoresAsked, 1);
  EXPECT_EQ(wallpaperRequests, 1);
}

TEST_F(FormMainTest, TheTrayImageChangesOnlyWhenTheCycleSaysSo) {
  TFormMain& f = StartedForm();
  EXPECT_EQ(f.TrayImageIndex(), 0);
  CycleOutcome red = Published({});
  red.trayLevel = 2;
  red.trayImageChanged = true;
  f.HandOver(red);
  EXPECT_EQ(f.TrayImageIndex(), 2);
  CycleOutcome quiet = Published({});
  quiet.trayLevel = 0;
  quiet.trayImageChanged = false;  // notify off
  f.HandOver(quiet);
  EXPECT_EQ(f.TrayImageIndex(), 2);
  // A failed scan keeps the list that is shown.
  f.HandOver(Published({test::Entry("a", "P")}));
  CycleOutcome failed;
  failed.published = false;
  f.HandOver(failed);
  EXPECT_EQ(f.Slots().rowCount(), 1);
}

}  // namespace
}  // namespace tessarin
