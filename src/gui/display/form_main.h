#pragma once
// TFormMain: the monitoring display. Lives hidden in the tray, shows the grid of running
// tasks on a click, fits itself to whole rows, and carries the watch cycle's timer. Without a
// system tray it is a normal window that minimises instead of hiding, and closing it ends
// the program.

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "core/projects/score_rating.h"
#include "core/watcher/job_log_import.h"
#include "core/watcher/watch_cycle.h"
#include "gui/display/cycle_worker.h"
#include "gui/display/main_menus.h"
#include "gui/display/slot_list_model.h"
#include "gui/display/tray_images.h"

class QAction;
class QSocketNotifier;

namespace tessarin {

class MessageBoxes;
class ProgramLauncher;
class SettingsStore;
class TDrawGrid;
class TPanelEx;

// What a window opened from the tray menu works with.
struct WindowContext {
  QWidget* parent = nullptr;  // null for the setup of a first run
  Environment& env;
  // Raises the watch cycle's wallpaper request (the setup, when the option is switched on).
  std::function<void()> requestWallpaper;
  // The job-log import, run between two watch cycles; empty where there is no running watcher.
  std::function<JobLogImport()> importJobLogs;
};

// The windows that other parts of the program open from the tray menu; an unset one tells
// the user that the window is not built yet.
struct WindowOpeners {
  std::function<void(const WindowContext&)> history;
  // Gets a copy of the result list kept from the last cycle.
  std::function<void(const WindowContext&, const ResultList& results)> overview;
  // The setup dialog; true when confirmed (the settings are then saved and flushed).
  std::function<bool(const WindowContext&)> setup;
};

struct FormMainServices {
  Environment& env;
  ProgramLauncher& launcher;
  MessageBoxes& messages;
  // One whole watch cycle; runs on the worker thread.
  std::function<CycleOutcome()> watchClients;
  // The score thresholds computed afresh (after the setup dialog).
  std::function<ScoreThresholds()> getScores;
  std::function<void()> requestWallpaper;
};

inline constexpr int kDesignedWidth = 420;
inline constexpr int kDesignedHeight = 371;
inline constexpr int kMinWidth = 400;
inline constexpr int kMaxWidth = 500;
inline constexpr int kPanelHeight = 24;
inline constexpr int kDesignedIntervalMs = 2000;
inline constexpr int kSilentIntervalMs = 100;
// Tray tips are cut to this many characters.
inline constexpr int kMaxTipLength = 63;

// Product name + " v" + product version: "Tessarin v1.52".
QString ProgramCaption();

class TFormMain : public QWidget {
  Q_OBJECT

 public:
  // FormCreate: menus, grid, panel and the view and sort restored from the settings.
  TFormMain(FormMainServices services, bool trayAvailable, QWidget* parent = nullptr);
  ~TFormMain() override;

  void SetWindowOpeners(WindowOpeners openers) { openers_ = std::move(openers); }
  void SetJobLogImport(std::function<JobLogImport()> import) { importJobLogs_ = std::move(import); }
  void SetScores(const ScoreThresholds& scores);

  // The start-up bar (unless silent), the tray icon, and the timer with its designed first
  // interval. Call after the start-up conversions.
  void Start();

  void TimerTimer();
  // The user-interface half of a cycle: the new lists sorted and swapped in, the grid
  // redrawn, the tray image changed when due.
  void HandOver(CycleOutcome outcome);
  void ApplyTimerInterval();
  void ShowClick();
  void FitWindow();
  // Height to the rows; centred too with Options/center on, else left where the user put it.
  void Refit();
  void ShowMainWindow();
  void HideIt();
  void DoExitClick();
  void PanelClick();
  void RadioClick(QAction* item);
  void ApplyRowHeight();
  void RefreshDisplay();
  void FormResize();
  void MapViewClick();
  void OverviewClick();
  void HistoryClick();
  void SetupClick();

  TDrawGrid& DrawGrid() { return *grid_; }
  TPanelEx& Panel() { return *panel_; }
  QTimer& Timer() { return timer_; }
  // Null without a system tray.
  QSystemTrayIcon* TrayIcon() { return tray_; }
  const TrayMenu& PopupMenu() const { return trayMenu_; }
  const GridMenu& PopupMenu1() const { return gridMenu_; }
  const SlotListModel& Slots() const { return model_; }
  const ResultList& Results() const { return results_; }
  bool TrayAvailable() const { return tray_ != nullptr; }
  bool Silent() const { return silent_; }
  bool Compact() const;
  // Index of the tray image shown (0 normal, 1 yellow, 2 red).
  int TrayImageIndex() const { return trayImage_; }

 signals:
  // A cycle's outcome has been taken over and drawn.
  void CycleHandedOver();
  // The close went ahead: the program ends.
  void ProgramEnds();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CycleDone(CycleOutcome outcome);
  void LayoutChildren();
  void FitHeight();
  void RememberPlace();
  void UpdateMapViewItem();
  void UpdateCellOptions();
  void SetTrayImage(int level);
  void NotBuiltYet(const QString& what);
  WindowContext Context();
  SettingsStore& Settings() { return services_.env.settings; }
  QRect ScreenGeometry() const;

  FormMainServices services_;
  WindowOpeners openers_;
  std::function<JobLogImport()> importJobLogs_;
  ScoreThresholds scores_;
  SlotListModel model_;
  ResultList results_;
  TDrawGrid* grid_ = nullptr;
  TPanelEx* panel_ = nullptr;
  TrayMenu trayMenu_;
  GridMenu gridMenu_;
  std::array<QIcon, kTrayLevels> trayImages_;
  QSystemTrayIcon* tray_ = nullptr;
  QTimer timer_;
  CycleWorker worker_;
  QSocketNotifier* doorbell_ = nullptr;
  bool silent_ = false;
  bool firstCycleDone_ = false;
  bool closing_ = false;
  bool hiding_ = false;
  bool ownStateChange_ = false;
  int trayImage_ = 0;
  int shownEntries_ = -1;  // -1 until the first cycle's list arrives
};

}  // namespace tessarin
