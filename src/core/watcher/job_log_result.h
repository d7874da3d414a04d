#pragma once
// A result known only from the client's job log: the client finished, uploaded and reported it
// while no cycle looked, and deleted its output.

#include <string>

#include "core/data/project_record.h"
#include "core/watcher/job_log.h"
#include "core/watcher/scan_context.h"
#include "core/watcher/work_unit_log.h"

namespace tessarin {

// The boinc.csv row of a job-log line: dated when the task finished, its CPU time, fpops
// estimate and error flag from the line, work unit from the result name; no project logs.
FinishedResult FinishedFromJobLog(const JobLogLine& line);

enum class JobLogLogging {
  kLogged,    // the line was found and its row is in boinc.csv
  kFailed,    // the row could not be written: try again
  kNotThere,  // no job log, or it does not name the result
};

// Logs a vanished task without an output copy from the job log at `jobLogPath` (empty: none),
// with the application and version the checkpoint memory kept.
JobLogLogging LogFromJobLog(ScanContext& context, const ClientFacts& client,
                            const ProjectRecord& project, const std::string& appVersion,
                            const std::string& appName, const std::string& resultName,
                            const std::string& jobLogPath);

}  // namespace tessarin
