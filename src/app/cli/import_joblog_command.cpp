#include "import_joblog_command.h"

#include <iostream>

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
  const std::vector<std::string> problems = JobLogImportProblems(import);
  for (const std::string& problem : problems)
    std::cerr << "tessarin-cli: " << problem << "\n";
  return problems.empty() ? 0 : 1;
}

}  // namespace tessarin
