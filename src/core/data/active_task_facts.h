#pragma once
// What the client scan knows of one running task, handed to the task-detail reader.

#include <cstdint>
#include <string>

#include "core/data/host_record.h"
#include "core/data/project_record.h"

namespace tessarin {

enum class ProgressStatus : std::uint8_t {
  kNotJudged = 0,
  kActive = 1,
  kInactive = 2,
  kSuspended = 3,
  kNonCpuIntensive = 4,
};

struct ActiveTaskFacts {
  // client_state.xml without host_info, time_stats, net_stats; empty when unreadable.
  std::string clientState;
  std::string clientDir;  // trailing separator
  std::string projectName;
  std::string appName;
  std::string projectDir;  // trailing separator
  std::string slotDir;     // trailing separator
  std::string slot;
  std::string resultName;
  // First file_name of the running work unit; the work-unit name for climateprediction.
  std::string wuFile;
  std::string resultFileName;
  std::string commandLine;
  HostRecord host;
  ProjectKind kind = ProjectKind::kOther;
  bool moreTasks = false;
  int resultCount = 0;
  int queuedCount = 0;
  double checkpointCpuTime = 0;
  double wuEstimate = 0;
  ProgressStatus progress = ProgressStatus::kNotJudged;
  double percentDone = 0;  // fraction_done x 100
  // A client watched over the network: its science files are on another machine.
  bool remote = false;
  // Why a remote client could not be read ("wrong password", "connection refused", ...).
  std::string lostReason;
};

}  // namespace tessarin
