#pragma once
// Taking the results that the clients' job logs hold and boinc.csv lacks into boinc.csv: the
// tasks finished while the program was not running, before it was installed or between two
// of its cycles.

#include <string>
#include <unordered_set>
#include <vector>

#include "core/settings/environment.h"

namespace tessarin {

struct JobLogImport {
  int added = 0;
  int skipped = 0;  // already in boinc.csv, or still listed by the client
  int failed = 0;   // a row that could not be written (counted in the exception log)
  // Clients whose client_state.xml could not be read whole: their job logs wait.
  std::vector<std::string> unreadableClients;
};

// The results boinc.csv holds, by result name: its result_name column holds output file
// names ("<result>_0", "<result>_r<digits>_0") as well as result names.
std::unordered_set<std::string> LoggedResultNames(const std::string& csvPath);

// Every line of the job logs of the watched clients whose result is not in boinc.csv yet and
// is no longer listed in its client state (the watcher logs those itself) gets a boinc.csv
// row: date from the line, project and host from the client state, CPU time, error flag and
// fpops_est from the line; application and version where the client state still names them.
// Each result once, however often this runs.
JobLogImport ImportJobLogs(Environment& env);

// "Rows added: N" and "Rows skipped: M" on two lines.
std::string JobLogImportText(const JobLogImport& import);
// One line for the rows not written and one per client left out; none when all went well.
std::vector<std::string> JobLogImportProblems(const JobLogImport& import);

}  // namespace tessarin
