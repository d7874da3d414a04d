#pragma once

#include <string>

namespace tessarin {

struct HistoryOptions {
  bool json = false;
  bool filterErrors = false;  // --errors: "Filter errorenous WUs"
  bool zeroAsError = false;   // --zero: "Consider WUs with 0 seconds as errorenous"
};

// Reads boinc.csv of the log directory as the History window does (never writing it) and
// prints its statistics tree by project, application, host and version: an aligned, indented
// tree, or (json) one JSON object on one line. Returns the process exit code.
int RunHistoryCommand(const std::string& programDir, const HistoryOptions& options);

}  // namespace tessarin
