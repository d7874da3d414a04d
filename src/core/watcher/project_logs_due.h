#pragma once
// Project-log rows owed after their logger failed (disk full, a file-size limit, a work-unit
// copy not there yet): remembered in Tessarin.ini and asked for again every cycle until
// written, also once the result has left the client and after a restart, for at most
// kProjectLogDueDays. Section "ProjectLogsDue", key = the escaped result file name, value =
// project kind, escaped work-unit name, first failure (Unix seconds) and the row prefix,
// blank-separated.

#include <string>

#include "core/data/cycle_flags.h"
#include "core/data/project_record.h"

namespace tessarin {

class ExceptionLog;
class LoggedResults;
class ProjectLogger;
class SettingsStore;

inline constexpr int kProjectLogDueDays = 7;

// An entry already owed keeps the time of its first failure.
void OweProjectLog(SettingsStore& settings, ProjectKind kind, const std::string& prefix,
                   const std::string& resultFileName, const std::string& wuName, double now);
void SettleProjectLog(SettingsStore& settings, const std::string& resultFileName);
bool ProjectLogOwed(const SettingsStore& settings, const std::string& resultFileName);

// After the scan: hands every owed row whose logger the scan did not ask to `loggers` once;
// a row written is settled, a failure counted as LogWU's are, and a row owed for longer than
// kProjectLogDueDays is given up.
void RetryProjectLogsDue(SettingsStore& settings, ProjectLogger& loggers,
                         const LoggedResults& logged, CycleFlags& flags, ExceptionLog& exceptions,
                         double now);

}  // namespace tessarin
