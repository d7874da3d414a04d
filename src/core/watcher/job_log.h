#pragma once
// The client's own record of every task it finished: job_log_<project directory>.txt in the
// data directory, one line a task:
//   <unix time> ue <estimate> ct <cpu seconds> fe <fpops estimate> nm <result> et <elapsed> es
//   <exit status>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

class ExceptionLog;

struct JobLogLine {
  double time = 0;         // Unix seconds the task finished
  std::string cpuTime;     // "ct", as written
  std::string fpopsEst;    // "fe", as written
  std::string resultName;  // "nm"
  std::string exitStatus;  // "es", as written
  bool failed() const;     // an exit status other than 0
};

// Nothing for a line without a time or a result name.
std::optional<JobLogLine> ParseJobLogLine(std::string_view line);

// clientDir + "job_log_" + ProjectDirName(masterUrl) + ".txt"; `clientDir` ends with a
// separator.
std::string JobLogPath(const std::string& clientDir, std::string_view masterUrl);

// Every line of the file that parses, in file order; a missing file gives none.
std::vector<JobLogLine> ReadJobLog(const std::string& path, ExceptionLog& log);

// The last line of the file for that result.
std::optional<JobLogLine> FindJobLogLine(const std::string& path, const std::string& resultName,
                                         ExceptionLog& log);

}  // namespace tessarin
