#include "core/watcher/job_log_result.h"

#include "core/watcher/vanished_task_log.h"

namespace tessarin {

FinishedResult FinishedFromJobLog(const JobLogLine& line) {
  FinishedResult result;
  result.error = line.failed();
  result.cpuTime = line.cpuTime;
  result.resultFileName = line.resultName;
  result.wuName = WorkunitOfResult(line.resultName);
  result.loggingTime = line.time;
  result.fpopsEstimate = line.fpopsEst;
  result.projectLogs = false;
  return result;
}

JobLogLogging LogFromJobLog(ScanContext& context, const ClientFacts& client,
                            const ProjectRecord& project, const std::string& appVersion,
                            const std::string& appName, const std::string& resultName,
                            const std::string& jobLogPath) {
  if (jobLogPath.empty())
    return JobLogLogging::kNotThere;
  const auto line = FindJobLogLine(jobLogPath, resultName, context.env.exceptions);
  if (!line)
    return JobLogLogging::kNotThere;
  FinishedResult result = FinishedFromJobLog(*line);
  result.appVersion = appVersion;
  result.appName = appName;
  return LogWU(context, client, project, result) == LogOutcome::kFailed ? JobLogLogging::kFailed
                                                                        : JobLogLogging::kLogged;
}

}  // namespace tessarin
