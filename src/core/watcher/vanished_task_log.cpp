#include "core/watcher/vanished_task_log.h"

#include <exception>

#include "core/data/log_files.h"
#include "core/data/safe_file_name.h"
#include "core/settings/exception_log.h"
#include "core/tools/files.h"
#include "core/watcher/backups.h"
#include "core/watcher/job_log_result.h"

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

void LogVanishedTask(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
                     const std::string& appVersion, const std::string& appName,
                     const std::string& cpuTime, const std::string& resultName,
                     const std::string& jobLogPath) {
  const std::string oldFormCopy = resultName + "_0" + logs::kBackupExtension;
  bool copied = IsSafeFileName(oldFormCopy) && PathExists(context.env.logDir + oldFormCopy);
  LogFromBackups(context, client, project, appVersion, appName, cpuTime, oldFormCopy);
  try {
    const std::string wuName = WorkunitOfResult(resultName);
    for (const std::string& file : ServerNamedOutputCopies(context.env.logDir, resultName)) {
      copied = true;
      LogBackupCopy(context, client, project, appVersion, appName, cpuTime, file, wuName);
    }
  } catch (const std::exception& error) {
    context.env.exceptions.LogException(std::string("LogFromBackups - ") + error.what());
  }
  if (!copied)
    LogFromJobLog(context, client, project, appVersion, appName, resultName, jobLogPath);
}

}  // namespace tessarin
