#pragma once
// The general log boinc.csv: one row per finished result, written once, and the hand-over of
// the log row prefix to the project's own logger.

#include <string>

#include "core/data/project_record.h"
#include "core/watcher/scan_context.h"

namespace tessarin {

class ExceptionLog;
class LoggedResults;

// One finished result as LogWU writes it.
struct FinishedResult {
  std::string errorText;
  bool error = false;
  std::string deadline;  // report_deadline as written in the client state
  std::string appVersion;
  std::string appName;
  std::string cpuTime;  // as written, copied unchanged
  std::string resultFileName;
  std::string wuName;
  double loggingTime = 0;  // Unix seconds
  // Used when the client state no longer holds the work unit (the client's job log has it).
  std::string fpopsEstimate;
  // False for a result known only from the client's job log: no science files to read.
  bool projectLogs = true;
};

// True when the name is in the cache (letter case ignored) or in the result_name column of
// the CSV file (exact); a name found in the file joins the cache. A file that cannot be read
// answers true, so the result waits for the next cycle.
bool AlreadyLogged(LoggedResults& logged, const std::string& resultFileName,
                   const std::string& csvPath, ExceptionLog& exceptions);

// Appends the result's row to boinc.csv unless it is already logged, hands the log row prefix
// to the project logger and raises the finished-WU flag. Errors are counted as "LogWU - ".
void LogWU(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
           const FinishedResult& result);

}  // namespace tessarin
