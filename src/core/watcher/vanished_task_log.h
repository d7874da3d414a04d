#pragma once
// Logging a task that has left the active tasks, from the copy of its main output. Old project
// servers name that output "<result>_0"; current ones "<result>_r<digits>_0" (as in
// loopback_wu_001_0_r1771098287_0), and both forms are looked for.

#include <string>
#include <string_view>
#include <vector>

#include "core/data/project_record.h"
#include "core/watcher/backups.h"
#include "core/watcher/scan_context.h"

namespace tessarin {

// The result's work unit: the result name without its last "_<number>" ("W_1" gives "W").
// A name without such an end is its own work-unit name.
std::string WorkunitOfResult(std::string_view resultName);

// The copies "<result>_r<digits>_0.tess" in the log directory, in the order listed.
std::vector<std::string> ServerNamedOutputCopies(const std::string& logDir,
                                                 const std::string& resultName);

// The one place that decides what a task that left the active tasks logs. `clientState` is
// its result's state as the scan reads it (kAborted for state 6 or aborted_via_gui,
// kComputeError for 3 or 7; 0 when the client no longer lists the result). An aborted result
// logs nothing; a failed one is logged with the error flag; one that is not finished yet
// (state 1 or 2) waits, remembered, until it is. Otherwise LogFromBackups with
// "<result>_0.tess", then every server-named copy of the result's output. Without any copy, a
// task finished, uploaded and reported between two cycles is logged into boinc.csv from the
// client's job log at `jobLogPath` (empty: none), its project logs skipped since no science
// file is left. `project` holds only the project name and kind. True when the task is settled
// (logged, or nothing to log); false when a log write failed and the task must stay
// remembered for another try.
bool LogVanishedTask(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
                     const VanishedResult& vanished, int clientState, const std::string& resultName,
                     const std::string& jobLogPath);

}  // namespace tessarin
