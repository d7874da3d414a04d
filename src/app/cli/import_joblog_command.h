#pragma once

#include <string>

namespace tessarin {

// tessarin-cli import-joblog: the job logs of the watched clients into boinc.csv, under the
// program directory's lock. Returns the process exit code: 0 done, 1 rows that could not be
// written or clients whose state could not be read, 2 no usable settings, 3 another Tessarin
// watches the program directory.
int RunImportJoblogCommand(const std::string& programDir);

}  // namespace tessarin
