#include "core/watcher/job_log.h"

#include "core/data/project_dir_name.h"
#include "core/settings/exception_log.h"
#include "core/tools/files.h"
#include "core/tools/number_format.h"

namespace tessarin {

namespace {

std::string_view NextWord(std::string_view text, std::size_t& position) {
  const std::size_t begin = text.find_first_not_of(" \t\r", position);
  if (begin == std::string_view::npos) {
    position = text.size();
    return {};
  }
  std::size_t end = text.find_first_of(" \t\r", begin);
  if (end == std::string_view::npos)
    end = text.size();
  position = end;
  return text.substr(begin, end - begin);
}

}  // namespace

bool JobLogLine::failed() const {
  return StrToFloatSafe(exitStatus) != 0;
}

std::optional<JobLogLine> ParseJobLogLine(std::string_view line) {
  std::size_t position = 0;
  JobLogLine parsed;
  parsed.time = StrToFloatSafe(NextWord(line, position));
  // Keyword and value pairs; a keyword the client adds later is passed over.
  for (;;) {
    const std::string_view key = NextWord(line, position);
    if (key.empty())
      break;
    const std::string_view value = NextWord(line, position);
    if (key == "ct")
      parsed.cpuTime = value;
    else if (key == "fe")
      parsed.fpopsEst = value;
    else if (key == "nm")
      parsed.resultName = value;
    else if (key == "es")
      parsed.exitStatus = value;
  }
  if (!(parsed.time > 0) || parsed.resultName.empty())
    return std::nullopt;
  return parsed;
}

std::string JobLogPath(const std::string& clientDir, std::string_view masterUrl) {
  return clientDir + "job_log_" + ProjectDirName(masterUrl) + ".txt";
}

std::vector<JobLogLine> ReadJobLog(const std::string& path, ExceptionLog& log) {
  std::vector<JobLogLine> lines;
  const std::string text = FileAsString(path, log);
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos)
      end = text.size();
    if (auto line = ParseJobLogLine(std::string_view(text).substr(begin, end - begin)))
      lines.push_back(std::move(*line));
    begin = end + 1;
  }
  return lines;
}

std::optional<JobLogLine> FindJobLogLine(const std::string& path, const std::string& resultName,
                                         ExceptionLog& log) {
  std::optional<JobLogLine> found;
  for (JobLogLine& line : ReadJobLog(path, log)) {
    if (line.resultName == resultName)
      found = std::move(line);
  }
  return found;
}

}  // namespace tessarin
