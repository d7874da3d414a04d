#pragma once
// Logging a task that has left the active tasks, from the copy of its main output. Old project
// servers name that output "<result>_0"; current ones "<result>_r<digits>_0" (as in
// loopback_wu_001_0_r1771098287_0), and both forms are looked for.

#include <string>
#include <string_view>
#include <vector>

#include "core/data/project_record.h"
#include "core/watcher/scan_context.h"

namespace tessarin {

// The result's work unit: the result name without its last "_<number>" ("W_1" gives "W").
// A name without such an end is its own work-unit name.
std::string WorkunitOfResult(std::string_view resultName);

// The copies "<result>_r<digits>_0.tess" in the log directory, in the order listed.
std::vector<std::string> ServerNamedOutputCopies(const std::string& logDir,
                                                 const std::string& resultName);

// LogFromBackups with "<result>_0.tess", then every server-named copy of the result's output.
// Without any copy, a task finished, uploaded and reported between two cycles is logged into
// boinc.csv from the client's job log at `jobLogPath` (empty: none), its project logs
// skipped since no science file is left. `project` holds only the project name and kind.
void LogVanishedTask(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
                     const std::string& appVersion, const std::string& appName,
                     const std::string& cpuTime, const std::string& resultName,
                     const std::string& jobLogPath);

}  // namespace tessarin
