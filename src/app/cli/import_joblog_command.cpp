#include "import_joblog_command.h"

#include <exception>
#include <iostream>
#include <vector>

#include "cli_session.h"
#include "core/watcher/job_log_import.h"
#include "platform/single_instance.h"

namespace tessarin {

int RunImportJoblogCommand(const std::string& programDir) {
  // A cycle of a running watcher could log the same result at the same moment.
  const SingleInstance lock(programDir);
  if (lock.AnotherInstanceRuns()) {
    std::cerr << "tessarin-cli: another Tessarin watches " << programDir
              << "; stop it before importing job logs\n";
    return 3;
  }
  const std::unique_ptr<CliSession> session = OpenCliSession(programDir, "");
  if (!session)
    return 2;
  const JobLogImport import = ImportJobLogs(session->program().env());
  std::cout << JobLogImportText(import) << "\n";
  std::vector<std::string> problems = JobLogImportProblems(import);
  // The exception counts reach Tessarin.ini with one write, as at the end of a cycle.
  try {
    session->program().settings().UpdateFile();
  } catch (const std::exception& error) {
    problems.push_back(error.what());
  }
  for (const std::string& problem : problems)
    std::cerr << "tessarin-cli: " << problem << "\n";
  return problems.empty() ? 0 : 1;
}

}  // namespace tessarin
