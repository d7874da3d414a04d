#pragma once
// Log rows owed after a write failed (disk full, a file-size limit, a work-unit copy not
// there yet), remembered in Tessarin.ini and written by a later cycle once the cause is gone,
// also after the result has left the client and after a restart.
// - "BoincRowsDue": key = escaped result file name, value = first failure (Unix seconds) and
//   the boinc.csv row, blank-separated. Kept until written.
// - "ProjectLogsDue": key = escaped result file name, value = project kind, escaped
//   work-unit name, first failure and the row prefix, blank-separated. Given up after
//   kOwedRowDays: the copies it needs may never come.

#include <string>

#include "core/data/cycle_flags.h"
#include "core/data/project_record.h"

namespace tessarin {

class ExceptionLog;
class LoggedResults;
class ProjectLogger;
class SettingsStore;

// How long a row that may never become writable (its copies gone) is waited for.
inline constexpr int kOwedRowDays = 7;

// An entry already owed keeps the time of its first failure.
void OweBoincRow(SettingsStore& settings, const std::string& resultFileName, const std::string& row,
                 double now);
void SettleBoincRow(SettingsStore& settings, const std::string& resultFileName);
void OweProjectLog(SettingsStore& settings, ProjectKind kind, const std::string& prefix,
                   const std::string& resultFileName, const std::string& wuName, double now);
void SettleProjectLog(SettingsStore& settings, const std::string& resultFileName);
bool ProjectLogOwed(const SettingsStore& settings, const std::string& resultFileName);
// A boinc.csv row or a project row.
bool RowOwed(const SettingsStore& settings, const std::string& resultFileName);

struct RowsDueContext {
  SettingsStore& settings;
  ProjectLogger& loggers;
  LoggedResults& logged;
  CycleFlags& flags;
  ExceptionLog& exceptions;
  std::string csvPath;  // boinc.csv
  double now = 0;
};

// After the scan, for the results whose rows the scan did not try: each owed boinc.csv row
// is written unless the log holds it already, then each owed project row whose boinc.csv row
// is settled is handed to its logger. Failures are counted as LogWU's are; the first failed
// write of each kind ends that kind's turn for the cycle.
void RetryRowsDue(const RowsDueContext& context);

}  // namespace tessarin
