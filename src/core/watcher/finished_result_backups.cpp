#include "core/watcher/finished_result_backups.h"

#include "core/data/log_files.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/watcher/backups.h"
#include "core/watcher/rows_due.h"
#include "core/watcher/work_unit_log.h"

namespace tessarin {

bool LoggerReadsBackups(ProjectKind kind) {
  return kind == ProjectKind::kSeti || kind == ProjectKind::kAstropulse ||
         kind == ProjectKind::kEinstein;
}

void BackUpBeforeLogging(ScanContext& context, ProjectKind kind, const std::string& result,
                         bool copyResult, const std::string& resultFileName,
                         const std::string& workunit, const std::string& wuName,
                         const std::string& clientDir, const std::string& projectDir) {
  if (!LoggerReadsBackups(kind))
    return;
  // Once logged, the logger may have deleted the copies on purpose: they are not made again,
  // unless its row is still owed (the copies could not be made in time, a full disk).
  if (AlreadyLogged(context.logged, resultFileName, context.env.logDir + logs::kBoincCsv,
                    context.env.exceptions) &&
      !ProjectLogOwed(context.env.settings, resultFileName)) {
    return;
  }
  if (copyResult)
    ProcessResult(context, result, clientDir, projectDir);
  if (workunit.empty())
    return;
  if (context.env.settings.Read(settings::kBackupWU)) {
    // What the work-unit pass of this cycle would copy anyway, with its flags.
    ProcessWorkunit(context, workunit, clientDir, projectDir, kind, wuName);
  } else {
    // The Einstein@Home logger reads only the search range from the description.
    CopyWorkunitQuietly(context, workunit, clientDir, projectDir, wuName,
                        kind != ProjectKind::kEinstein);
  }
}

}  // namespace tessarin
