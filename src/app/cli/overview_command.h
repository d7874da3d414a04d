#pragma once

#include <string>

namespace tessarin {

struct OverviewOptions {
  bool json = false;
  std::string soundCapture;
};

// Runs the start-up conversions and one watch cycle, then prints the Overview tree of the
// cycle's result list: an aligned, indented tree, or (json) one JSON object on one line.
// Returns the process exit code.
int RunOverviewCommand(const std::string& programDir, const OverviewOptions& options);

}  // namespace tessarin
