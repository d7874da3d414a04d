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
  std::cout << "Rows added: " << import.added << "\nRows skipped: " << import.skipped << "\n";
  if (import.failed > 0)
    std::cerr << "tessarin-cli: " << import.failed << " rows could not be written\n";
  for (const std::string& clientDir : import.unreadableClients) {
    std::cerr << "tessarin-cli: client_state.xml of " << clientDir
              << " cannot be read whole; its job logs wait for the next import\n";
  }
  return import.failed > 0 || !import.unreadableClients.empty() ? 1 : 0;
}

}  // namespace tessarin
