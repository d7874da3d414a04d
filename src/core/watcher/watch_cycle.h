#pragma once
// One watch cycle over every enabled client directory, and the state that lives between
// cycles (alert state, tray level, first-cycle mark, logged-results cache).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/data/result_list.h"
#include "core/data/slot_info.h"
#include "core/settings/environment.h"

namespace tessarin {

class SettingsStore;
class TaskDetailReader;
class ProjectLogger;
class ProgramLauncher;

// What one cycle hands to its owner, as one value.
struct CycleOutcome {
  // False when the scan failed: the owner keeps showing the previous lists.
  bool published = false;
  DisplayList display;  // in scan order; the owner sorts it (Options/SortBy)
  ResultList results;
  std::uint8_t alertState = 0;  // 0 none, 1 yellow, 2 red, 3 cache empty
  std::uint8_t trayLevel = 1;   // 0 normal, 1 yellow, 2 red
  // The tray image should change now (level changed and Options/notify on).
  bool trayImageChanged = false;
  // The sounds due this cycle, in the order played ("FinishedWU", "NewWU", "YellowAlert",
  // "RedAlert", "CacheEmpty"); a key with an empty value played nothing.
  std::vector<std::string> sounds;
  bool wallpaperRequested = false;  // the wallpaper step found a request
  bool wallpaper = false;           // and the map viewer was started
  // The program's first cycle: the owner leaves its start-up look (minimised, panel "OK").
  bool firstCycle = false;
  // Why the cycle wrote nothing: the log or program directory lies in a watched client
  // directory. Empty normally.
  std::string writeRefusal;
  // Options/timer in milliseconds (0 gives 100) for the pause after this cycle.
  int nextIntervalMs = 60000;
  // What failed to be written (or a log to be read) in this cycle, one text each: what,
  // which file, the system's reason. Empty when all went well.
  std::vector<std::string> errors;
};

// Options/timer seconds as milliseconds; 0 (or less) gives 100.
int CycleIntervalMs(const SettingsStore& settings);

class WatchCycle {
 public:
  WatchCycle(Environment& env, TaskDetailReader& details, ProjectLogger& loggers,
             ProgramLauncher& launcher);
  ~WatchCycle();
  WatchCycle(const WatchCycle&) = delete;
  WatchCycle& operator=(const WatchCycle&) = delete;

  // Runs one whole cycle (WatchClients): scan, alerts, wallpaper, sounds. One thread at a time.
  // Errors end the cycle early and are counted as "WatchClients - "; none escapes.
  CycleOutcome WatchClients();

  // The scan of a cycle that only reads: the display and result lists of every client, with
  // no log row, backup, checkpoint memory or settings write; alerts and sounds stay untouched.
  CycleOutcome ScanWithoutWriting();

  // Raised by the setup dialog when the wallpaper option is switched on; survives until
  // the next wallpaper step. Safe from any thread.
  void RequestWallpaper();

  // Runs `task` on the calling thread when no cycle runs, and keeps the next one waiting until
  // it ends: for work that writes the logs too (the job-log import of the History window).
  void RunBetweenCycles(const std::function<void()>& task);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace tessarin
