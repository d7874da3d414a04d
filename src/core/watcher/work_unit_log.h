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
// the CSV file (exact); only LogWU adds to the cache. Both compare the text the row stores
// (LoggedText). A file that cannot be read answers true, so the result waits for
// the next cycle.
bool AlreadyLogged(LoggedResults& logged, const std::string& resultFileName,
                   const std::string& csvPath, ExceptionLog& exceptions);

enum class LogOutcome {
  kLogged,         // its boinc.csv row was written now
  kAlreadyLogged,  // boinc.csv held it; the project logger wrote what its logs lacked
  kFailed,         // a log could not be read or written: try again in a later cycle
};

// Appends the result's row to boinc.csv unless it is there already (then raising the
// finished-WU flag), and hands the log row prefix to the project logger, which writes only
// what its own logs lack. A result found in boinc.csv whose project logger then succeeded joins
// the cache. Errors are counted as "LogWU - ".
LogOutcome LogWU(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
                 const FinishedResult& result);

}  // namespace tessarin
