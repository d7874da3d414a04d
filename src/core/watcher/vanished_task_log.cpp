#include "core/watcher/vanished_task_log.h"

#include <exception>

#include "core/data/log_files.h"
#include "core/data/result_list.h"
#include "core/data/safe_file_name.h"
#include "core/settings/exception_log.h"
#include "core/tools/date_time.h"
#include "core/tools/files.h"
#include "core/watcher/backups.h"
#include "core/watcher/job_log_result.h"
#include "core/watcher/rows_due.h"

namespace tessarin {

namespace {

bool AllDigits(std::string_view text) {
  if (text.empty())
    return false;
  for (char c : text) {
    if (c < '0' || c > '9')
      return false;
  }
  return true;
}

}  // namespace

std::string WorkunitOfResult(std::string_view resultName) {
  const std::size_t last = resultName.rfind('_');
  if (last == std::string_view::npos || last == 0 || !AllDigits(resultName.substr(last + 1)))
    return std::string(resultName);
  return std::string(resultName.substr(0, last));
}

std::vector<std::string> ServerNamedOutputCopies(const std::string& logDir,
                                                 const std::string& resultName) {
  std::vector<std::string> copies;
  // A wildcard in the name would match the copies of other results.
  if (!IsSafeFileName(resultName) || resultName.find_first_of("*?") != std::string::npos)
    return copies;
  const std::string head = resultName + "_r";
  const std::string tail = std::string("_0") + logs::kBackupExtension;
  for (std::string& file : ListFiles(logDir, head + "*" + tail)) {
    // "_r*_0" also matches the copies of a result named "<result>_rX".
    if (file.size() > head.size() + tail.size() &&
        AllDigits(
            std::string_view(file).substr(head.size(), file.size() - head.size() - tail.size()))) {
      copies.push_back(std::move(file));
    }
  }
  return copies;
}

bool LogVanishedTask(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
                     const VanishedResult& vanished, int clientState, const std::string& resultName,
                     const std::string& jobLogPath) {
  if (clientState == result_state::kAborted)
    return true;
  // Still waiting to run again (swapped out of memory, say): logged once it finishes.
  if (clientState > 0 && clientState <= result_state::kQueued)
    return false;
  VanishedResult result = vanished;
  result.error = clientState == result_state::kComputeError;
  const std::string oldFormCopy = resultName + "_0" + logs::kBackupExtension;
  bool copied = IsSafeFileName(oldFormCopy) && PathExists(context.env.logDir + oldFormCopy);
  bool settled = LogFromBackups(context, client, project, result, oldFormCopy);
  try {
    const std::string wuName = WorkunitOfResult(resultName);
    for (const std::string& file : ServerNamedOutputCopies(context.env.logDir, resultName)) {
      copied = true;
      if (LogBackupCopy(context, client, project, result, file, wuName) == LogOutcome::kFailed)
        settled = false;
    }
  } catch (const std::exception& error) {
    context.env.exceptions.LogFailure(std::string("LogFromBackups - ") + error.what());
    settled = false;
  }
  if (copied)
    return settled;
  switch (LogFromJobLog(context, client, project, vanished.appVersion, vanished.appName, resultName,
                        jobLogPath)) {
    case JobLogLogging::kLogged:
      return settled;
    case JobLogLogging::kFailed:
      return false;
    case JobLogLogging::kNotThere:
      break;
  }
  // Neither a copy nor a job-log line: the copies may be away with the log directory (a disk
  // not mounted yet) or were kept from being made by a full disk; waited for a while.
  if (context.env.clock.Now() - vanished.lastChange <= kOwedRowDays * 86400.0)
    return false;
  context.env.exceptions.LogException("LogFromBackups - No copy of a vanished task after " +
                                      std::to_string(kOwedRowDays) + " days");
  return settled;
}

}  // namespace tessarin
