#pragma once
// One running Tessarin: the settings store on Tessarin.ini, the exception log, and the watch
// cycle wired to the project loggers and the task-detail reader. The tray program and the
// headless command both build one; a test can build two side by side.

#include <string>
#include <vector>

#include "core/display/slot_reader.h"
#include "core/projects/project_loggers.h"
#include "core/projects/score_rating.h"
#include "core/settings/environment.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_store.h"
#include "core/watcher/watch_cycle.h"

namespace tessarin {

class Clock;
class SoundDevice;
class ProgramLauncher;

class Program {
 public:
  // `programDir` holds Tessarin.ini (a trailing separator is added when missing).
  Program(const std::string& programDir, const Clock& clock, SoundDevice& sound,
          ProgramLauncher& launcher);

  Environment& env() { return env_; }
  SettingsStore& settings() { return settings_; }
  WatchCycle& cycle() { return cycle_; }
  // The score limits of the last RunStartupConversions (their defaults before).
  const ScoreThresholds& scores() const { return scores_; }

  // The start-up conversions of the log directory, in their order; each failure is one
  // message, and the remaining steps still run.
  std::vector<std::string> RunStartupConversions();

 private:
  SettingsStore settings_;
  ExceptionLog exceptions_;
  Environment env_;
  SlotReader details_;
  ProjectLoggers loggers_;
  WatchCycle cycle_;
  ScoreThresholds scores_;
};

// Path of Tessarin.ini in a program directory.
std::string SettingsPath(const std::string& programDir);

}  // namespace tessarin
