#pragma once
// One watch cycle over every enabled client directory, and the state that lives between
// cycles (alert state, tray level, first-cycle mark, logged-results cache).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/display/slot_info.h"
#include "core/watcher/environment.h"
#include "core/watcher/result_list.h"

namespace tessarin {

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
  std::uint8_t trayLevel = 0;   // 0 normal, 1 yellow, 2 red
  // The tray image should change now (level changed and Options/notify on).
  bool trayImageChanged = false;
  std::vector<std::string> sounds;  // sound keys played, in order ("FinishedWU", ...)
  bool wallpaper = false;           // the map viewer was started
  // Options/timer in milliseconds (0 gives 100) for the pause after this cycle.
  int nextIntervalMs = 60000;
};

class WatchCycle {
 public:
  WatchCycle(Environment& env, TaskDetailReader& details, ProjectLogger& loggers,
             ProgramLauncher& launcher);
  ~WatchCycle();

  // Runs one whole cycle (WatchClients): scan, alerts, wallpaper, sounds.
  CycleOutcome WatchClients();

  // Raised by the setup dialog when the wallpaper option is switched on; survives until
  // the next wallpaper step.
  void RequestWallpaper();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace tessarin
