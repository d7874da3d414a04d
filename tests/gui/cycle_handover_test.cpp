// Cycles that hand their lists over while the user-interface thread draws and re-sorts the
// grid. Meant to run under ThreadSanitizer too (-DTESSARIN_TSAN=ON).

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>
#include <filesystem>
#include <map>
#include <mutex>
#include <random>

#include "core/display/sort_slots.h"
#include "core/program/program.h"
#include "core/settings/settings_store.h"
#include "core/tools/sound.h"
#include "display_test_support.h"
#include "gui/display/draw_grid.h"
#include "gui/display/form_main.h"
#include "gui/display/tray_program.h"
#include "hint_test_support.h"
#include "support/temp_dir.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

// Draws the visible rows now, on this thread, through the grid's own paint event.
void DrawAllRows(TFormMain& form) {
  QWidget* viewport = form.DrawGrid().viewport();
  QImage image(viewport->size(), QImage::Format_ARGB32_Premultiplied);
  viewport->render(&image);
}

QAction* SortItem(TFormMain& form, int step) {
  const GridMenu& m = form.PopupMenu1();
  QAction* items[] = {m.SortByHost, m.SortByProject, m.SortByProgress, m.SortByTimeLeft};
  return items[step % 4];
}

TEST(CycleHandOver, ListsArriveWholeWhileTheGridDrawsAndSorts) {
  test::EnsureApplication();
  test::TestEnvironment program;
  SettingsStore& settings = program.settings;
  test::RecordingLauncher launcher;
  test::ScriptedMessageBoxes boxes;

  // Each cycle builds a list of its own size, every entry tagged with the cycle's number.
  std::mutex sizesMutex;
  std::map<int, std::size_t> sizes;
  int made = 0;  // worker thread only; cycles never overlap
  std::mt19937 random(7);
  auto watch = [&] {
    const int cycle = ++made;
    std::size_t count = random() % 25;
    CycleOutcome outcome;
    outcome.published = true;
    for (std::size_t i = 0; i < count; ++i) {
      SlotInfo e =
          test::Entry("host" + std::to_string(random() % 5), "cycle" + std::to_string(cycle),
                      static_cast<int>(i), static_cast<std::int32_t>(random() % 1000) - 1,
                      static_cast<double>(random() % 100) / 100);
      e.ProjectKind = static_cast<std::uint8_t>(random() % 7);
      e.SpikeScore = "0.5";
      outcome.display.push_back(std::move(e));
    }
    outcome.results.resize(count);
    outcome.nextIntervalMs = 1;
    // Settings written on the worker while the user-interface thread writes them too.
    settings.WriteInteger("checkpoints-test", "cycle", cycle);
    {
      const std::lock_guard lock(sizesMutex);
      sizes[cycle] = count;
    }
    return outcome;
  };
  FormMainServices services{program.env, launcher, boxes, watch, [] { return ScoreThresholds{}; },
                            [] {}};
  TFormMain form(std::move(services), true);
  int handedOver = 0;
  QObject::connect(&form, &TFormMain::CycleHandedOver, [&] { ++handedOver; });
  form.Start();
  // The first cycle at once; it hides the start-up bar, and the grid is drawn off screen
  // below (a shown window's backing store is converted on Qt's own, uninstrumented threads).
  form.TimerTimer();

  QElapsedTimer clock;
  clock.start();
  int step = 0;
  while (handedOver < 150 && clock.elapsed() < 60000) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    DrawAllRows(form);
    if (++step % 7 == 0)
      SortItem(form, step / 7)->trigger();
    if (step % 11 == 0)
      form.PopupMenu1().ViewCompact->trigger();
    if (step % 13 == 0)
      form.PopupMenu1().ViewNormal->trigger();

    // What is shown is one cycle's list, whole, in the checked order.
    const DisplayList& shown = form.Slots().Entries();
    if (!shown.empty()) {
      const std::string tag = shown.front().ProjectName;
      const int cycle = std::stoi(tag.substr(5));
      std::size_t expected = 0;
      {
        const std::lock_guard lock(sizesMutex);
        expected = sizes.at(cycle);
      }
      ASSERT_EQ(shown.size(), expected);
      for (const SlotInfo& e : shown)
        ASSERT_EQ(e.ProjectName, tag);
      DisplayList sorted = shown;
      SortSlots(sorted, CheckedSortTag(form.PopupMenu1()));
      for (std::size_t i = 0; i < shown.size(); ++i)
        ASSERT_EQ(sorted[i].SlotNumber, shown[i].SlotNumber);
      ASSERT_EQ(form.Results().size(), expected);
    }
    QThread::usleep(200);
  }
  EXPECT_GE(handedOver, 150);
  // Ends with a cycle possibly running: the window waits for it.
  form.PopupMenu().DoExit->trigger();
  EXPECT_FALSE(form.Timer().isActive());
}

void CopyTree(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::filesystem::copy(from, to, std::filesystem::copy_options::recursive);
}

TEST(CycleHandOver, RealCyclesOverTheSampleClientsReachTheGrid) {
  test::EnsureApplication();
  test::TempDir dir;
  std::string ini = "[Options]\r\ntimer=0\r\n[BoincDirs]\r\n";
  for (const char* client : {"seti-host", "einstein-host", "mixed-host", "lost-host"}) {
    const std::string copy = dir.path() + "clients/" + client;
    std::filesystem::create_directories(dir.path() + "clients");
    CopyTree(std::string(TESSARIN_SOURCE_DIR) + "/samples/clients/" + client, copy);
    ini += copy + "/=1\r\n";
  }
  dir.Write("home/Tessarin.ini", ini);

  test::ScriptedMessageBoxes boxes;
  SilentSoundDevice sound;
  test::RecordingLauncher launcher;
  TrayStartOptions options;
  options.homeOption = dir.path() + "home";
  options.trayAvailable = true;
  TrayProgram tray(std::move(options), boxes, sound, launcher);
  ASSERT_EQ(tray.state(), TrayProgram::State::kRunning);
  TFormMain& form = *tray.form();
  int handedOver = 0;
  QObject::connect(&form, &TFormMain::CycleHandedOver, [&] { ++handedOver; });
  tray.Start();
  EXPECT_TRUE(boxes.shown.empty());
  form.ShowClick();

  QElapsedTimer clock;
  clock.start();
  int step = 0;
  while (handedOver < 4 && clock.elapsed() < 60000) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    DrawAllRows(form);
    if (++step % 5 == 0)
      SortItem(form, step / 5)->trigger();
  }
  ASSERT_GE(handedOver, 4);
  // One cell per running task, plus one for the client that cannot be read.
  EXPECT_GT(form.Slots().rowCount(), 3);
  bool lost = false;
  for (const SlotInfo& e : form.Slots().Entries())
    lost = lost || e.ReadyCount < 0;
  EXPECT_TRUE(lost);
  EXPECT_FALSE(form.Results().empty());
  form.PopupMenu().DoExit->trigger();
}

}  // namespace
}  // namespace tessarin
