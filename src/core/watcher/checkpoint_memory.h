#pragma once
// The checkpoint memory of one client directory: section "checkpoints-" + escaped directory,
// one key per running task's result name (escaped by EscapeIniKey), value
//   checkpoint CPU time, "project", "application", application version, change time
// where the change time is the last observed change of the CPU time as a date serial in UTC
// followed by "Z", so a change of daylight-saving time does not move it. Values of older
// versions, a local date serial without "Z", are read once and written back in UTC.

#include <string>
#include <utility>
#include <vector>

#include "core/data/active_task_facts.h"

namespace tessarin {

class SettingsStore;

struct CheckpointLine {
  std::string cpuTime;  // as stored: FormatCheckpointCpu
  std::string projectName;
  std::string appName;
  std::string appVersion;
  double changeTime = 0;  // Unix seconds
};

// "checkpoints-" + EscapeIniText(clientDir); `clientDir` ends with a separator.
std::string CheckpointSection(const std::string& clientDir);
// Up to 18 significant digits, so the same value always gives the same text.
std::string FormatCheckpointCpu(double cpuTime);
CheckpointLine ParseCheckpointLine(const std::string& value);
std::string FormatCheckpointLine(const CheckpointLine& line);

class CheckpointMemory {
 public:
  using Entry = std::pair<std::string, std::string>;  // result name, stored value

  // Loads the directory's section as the memory of the last cycle.
  CheckpointMemory(SettingsStore& settings, const std::string& clientDir);

  // Judges a running task from its checkpoint CPU time: a new task or a changed CPU time is
  // active; an unchanged one is active for 10 minutes after its last change, then inactive.
  // A status already set (suspended, non-CPU-intensive) stays. Remembers the task for the
  // next cycle and takes it out of the last cycle's memory.
  ProgressStatus Observe(const std::string& resultName, double cpuTime,
                         const std::string& projectName, const std::string& appName,
                         const std::string& appVersion, double now, ProgressStatus status);

  // Tasks of the last cycle that were not observed in this one, in stored order.
  const std::vector<Entry>& Vanished() const { return previous_; }

  // Takes a vanished task out of the memory once it is settled.
  void Forget(const std::string& resultName);

  // Rewrites the section: the vanished tasks not forgotten first, then this cycle's.
  void Store();

 private:
  SettingsStore& settings_;
  std::string section_;
  std::vector<Entry> previous_;
  std::vector<Entry> current_;
};

}  // namespace tessarin
