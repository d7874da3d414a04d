#include "core/watcher/watch_cycle.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <limits>
#include <mutex>

#include "core/data/cycle_flags.h"
#include "core/data/log_files.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/date_time.h"
#include "core/watcher/alert_decision.h"
#include "core/watcher/client_dir_guard.h"
#include "core/watcher/client_scan.h"
#include "core/watcher/due_sounds.h"
#include "core/watcher/logged_results.h"
#include "core/watcher/map_viewer.h"
#include "core/watcher/program_launcher.h"
#include "core/watcher/remote_watch.h"
#include "core/watcher/rows_due.h"
#include "core/watcher/scan_context.h"

namespace tessarin {

struct WatchCycle::State {
  Environment& env;
  TaskDetailReader& details;
  ProjectLogger& loggers;
  ProgramLauncher& launcher;
  AlertMemory alerts;
  ClientConditions clientConditions;
  bool firstCycleDone = false;
  LoggedResults logged;
  std::atomic<bool> wallpaperRequested{false};
  std::mutex busy;  // held for a whole cycle, and for a task between cycles
  RemoteWatch remote;
};

namespace {

// A log directory removed while watching (or a disk not mounted yet) is made again, parents
// included, so that the results finishing meanwhile are not lost.
void EnsureLogDir(Environment& env) {
  if (env.logDir.empty())
    return;
  std::error_code error;
  if (std::filesystem::is_directory(env.logDir, error))
    return;
  std::filesystem::create_directories(env.logDir, error);
  if (error)
    env.exceptions.LogFailure("WatchClients - " + env.logDir + " - " + error.message());
}

}  // namespace

int CycleIntervalMs(const SettingsStore& settings) {
  const std::int64_t ms = static_cast<std::int64_t>(settings.Read(settings::kTimer)) * 1000;
  if (ms <= 0)
    return 100;
  return static_cast<int>(std::min<std::int64_t>(ms, std::numeric_limits<int>::max()));
}

WatchCycle::WatchCycle(Environment& env, TaskDetailReader& details, ProjectLogger& loggers,
                       ProgramLauncher& launcher)
    : state_(new State{env, details, loggers, launcher, {}, {}, false, {}, {}, {}, {}}) {}

WatchCycle::~WatchCycle() = default;

CycleOutcome WatchCycle::ScanWithoutWriting() {
  State& state = *state_;
  CycleOutcome outcome;
  CycleFlags flags;
  // A cache of its own, so that nothing this scan sees changes what the cycles do.
  LoggedResults logged;
  ScanContext context{state.env, flags, logged, state.loggers, true};
  ClientConditions lastGood = state.clientConditions;
  ScanReport scan = DrawMonitorImage(context, state.details, lastGood, state.remote);
  outcome.published = scan.published;
  outcome.display = std::move(scan.display);
  outcome.results = std::move(scan.results);
  outcome.errors = state.env.exceptions.TakeFailures();
  return outcome;
}

void WatchCycle::RequestWallpaper() {
  state_->wallpaperRequested = true;
}

void WatchCycle::RunBetweenCycles(const std::function<void()>& task) {
  const std::lock_guard<std::mutex> busy(state_->busy);
  task();
}

CycleOutcome WatchCycle::WatchClients() {
  State& state = *state_;
  const std::lock_guard<std::mutex> busy(state.busy);
  SettingsStore& settings = state.env.settings;
  CycleOutcome outcome;
  CycleFlags flags;
  bool mayWrite = true;
  try {
    if (!state.firstCycleDone) {
      state.firstCycleDone = true;
      outcome.firstCycle = true;
    }
    const WriteRefusal refusal = WriteIntoClientRefusal(settings, state.env);
    if (!refusal.text.empty()) {
      outcome.writeRefusal = refusal.text;
      mayWrite = !refusal.programDirInside;
      // With Tessarin.ini itself in the client directory not even this is counted.
      if (!refusal.programDirInside)
        state.env.exceptions.LogExceptionOnce("WatchClients - " + refusal.text);
    } else {
      EnsureLogDir(state.env);
      const std::string csvPath = state.env.logDir + logs::kBoincCsv;
      state.logged.StartCycle(csvPath);
      ScanContext context{state.env, flags, state.logged, state.loggers};
      ScanReport scan =
          DrawMonitorImage(context, state.details, state.clientConditions, state.remote);
      RetryRowsDue({settings, state.loggers, state.logged, flags, state.env.exceptions, csvPath,
                    state.env.clock.Now()});
      if (scan.published) {
        outcome.trayImageChanged = DecideAlert(scan.conditions, settings, state.alerts, flags);
        outcome.published = true;
        outcome.display = std::move(scan.display);
        outcome.results = std::move(scan.results);
      }

      // A request from the setup dialog waits for this step even across failed cycles.
      outcome.wallpaperRequested =
          state.wallpaperRequested.exchange(false) || flags.wallpaperRequest;
      if (outcome.wallpaperRequested && settings.Read(settings::kWallpaperInCycle)) {
        const std::string mapViewer = MapViewerPath(settings);
        if (state.launcher.Exists(mapViewer)) {
          outcome.wallpaper = state.launcher.StartDetached(mapViewer, {kWallpaperArgument});
        }
      }

      outcome.sounds = PlayDueSounds(flags, settings, state.env.sound);
    }
  } catch (const std::exception& error) {
    state.env.exceptions.LogFailure(std::string("WatchClients - ") + error.what());
  }
  // One write of Tessarin.ini per cycle: the checkpoint memory and the exception counts.
  try {
    if (mayWrite)
      settings.UpdateFile();
  } catch (const std::exception& error) {
    state.env.exceptions.LogFailure(error.what());
  }
  outcome.errors = state.env.exceptions.TakeFailures();
  outcome.alertState = state.alerts.alertState;
  outcome.trayLevel = state.alerts.trayLevel;
  outcome.nextIntervalMs = CycleIntervalMs(settings);
  return outcome;
}

}  // namespace tessarin
