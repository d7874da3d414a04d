#include "core/watcher/job_log_import.h"

#include <fstream>
#include <utility>

#include "core/data/log_files.h"
#include "core/seams/project_logger.h"
#include "core/tools/csv.h"
#include "core/tools/files.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"
#include "core/watcher/client_facts.h"
#include "core/watcher/client_state_walk.h"
#include "core/watcher/job_log.h"
#include "core/watcher/job_log_result.h"
#include "core/watcher/logged_results.h"
#include "core/watcher/work_unit_log.h"

namespace tessarin {

namespace {

constexpr int kMaxHeaderFields = 100;

// Rows of the import are written to boinc.csv only.
class NoProjectLogs final : public ProjectLogger {
 public:
  void LogProjectResult(ProjectKind, const std::string&, const std::string&, const std::string&,
                        CycleFlags&) override {}
};

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "<result>_r<digits>_<digits>" and "<result>_<digits>" give "<result>".
std::string ResultOfFileName(std::string_view name) {
  const std::size_t last = name.rfind('_');
  if (last == std::string_view::npos || last == 0 || !AllDigits(name.substr(last + 1)))
    return {};
  const std::string_view head = name.substr(0, last);
  const std::size_t server = head.rfind("_r");
  if (server != std::string_view::npos && server > 0 && AllDigits(head.substr(server + 2)))
    return std::string(head.substr(0, server));
  return std::string(head);
}

int ResultNameColumn(const std::string& header, char separator) {
  const FieldArray fields = SplitCsvLine(header, separator, true);
  for (int k = 1; k <= kMaxHeaderFields; ++k) {
    if (TrimBlanks(fields[k]) == "result_name")
      return k;
  }
  return 0;
}

// The job logs of one client with the project each belongs to; the logs of projects the
// client has left come with an empty project.
std::vector<std::pair<std::string, ProjectRecord>> JobLogsOf(
    const std::string& clientDir, const std::vector<ProjectRecord>& projects) {
  std::vector<std::pair<std::string, ProjectRecord>> logs;
  std::unordered_set<std::string> seen;
  for (const ProjectRecord& project : projects) {
    const std::string path = JobLogPath(clientDir, project.master_url);
    if (seen.insert(path).second)
      logs.emplace_back(path, project);
  }
  for (const std::string& name : ListFiles(clientDir, "job_log_*.txt")) {
    if (seen.insert(clientDir + name).second)
      logs.emplace_back(clientDir + name, ProjectRecord{});
  }
  return logs;
}

}  // namespace

std::unordered_set<std::string> LoggedResultNames(const std::string& csvPath) {
  std::unordered_set<std::string> names;
  std::ifstream file(csvPath, std::ios::binary);
  std::string line;
  if (!std::getline(file, line))
    return names;
  const int column = ResultNameColumn(line, DetectSeparator(line));
  if (column == 0)
    return names;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    std::string name = CsvField(line, column);
    if (name.empty())
      continue;
    if (std::string result = ResultOfFileName(name); !result.empty())
      names.insert(std::move(result));
    names.insert(std::move(name));
  }
  return names;
}

JobLogImport ImportJobLogs(Environment& env) {
  JobLogImport import;
  std::unordered_set<std::string> logged = LoggedResultNames(env.logDir + logs::kBoincCsv);
  LoggedResults cache;
  NoProjectLogs noProjectLogs;
  for (const std::string& clientDir : WatchedClientDirs(env.settings)) {
    std::string state = ReadClientStateFile(clientDir, env.exceptions);
    // Rows are permanent: without the whole client state their host columns would be empty.
    if (!ContainsText(state, "</client_state>")) {
      import.unreadableClients.push_back(clientDir);
      continue;
    }
    const ClientFacts client = ReadClientFacts(std::move(state));
    const ProjectElements walk = WalkUnderProjects(client.clientState, "result", true);
    std::unordered_set<std::string> listed;
    for (const ElementUnderProject& result : walk.elements)
      listed.insert(ExtractTag(result.text, "name"));
    std::unordered_set<std::string> workunits;
    ForEachElement(client.clientState, "workunit", [&](const std::string& workunit) {
      workunits.insert(ExtractTag(workunit, "name"));
      return true;
    });
    // What the row needs of the client state when it no longer lists the work unit, so the
    // row does not search the whole text for it.
    ClientFacts withoutWorkunits = client;
    withoutWorkunits.clientState =
        "<host_venue>" + ExtractTag(client.clientState, "host_venue") + "</host_venue>";

    for (const auto& [path, project] : JobLogsOf(clientDir, walk.projects)) {
      for (const JobLogLine& line : ReadJobLog(path, env.exceptions)) {
        if (logged.count(line.resultName) != 0 || listed.count(line.resultName) != 0) {
          ++import.skipped;
          continue;
        }
        const FinishedResult result = FinishedFromJobLog(line);
        CycleFlags flags;
        ScanContext context{env, flags, cache, noProjectLogs};
        LogWU(context, workunits.count(result.wuName) != 0 ? client : withoutWorkunits, project,
              result);
        if (flags.finishedWU) {
          ++import.added;
          logged.insert(line.resultName);
        } else {
          ++import.failed;
        }
      }
    }
  }
  return import;
}

std::string JobLogImportText(const JobLogImport& import) {
  return "Rows added: " + std::to_string(import.added) +
         "\nRows skipped: " + std::to_string(import.skipped);
}

std::vector<std::string> JobLogImportProblems(const JobLogImport& import) {
  std::vector<std::string> problems;
  if (import.failed > 0)
    problems.push_back(std::to_string(import.failed) + " rows could not be written");
  for (const std::string& clientDir : import.unreadableClients) {
    problems.push_back("client_state.xml of " + clientDir +
                       " cannot be read whole; its job logs wait for the next import");
  }
  return problems;
}

}  // namespace tessarin
