#pragma once

#include <string>

namespace tessarin {

struct WatchOptions {
  bool json = false;
  std::string soundCapture;
  bool repeat = false;  // watch: cycle until SIGINT/SIGTERM; once: one cycle
};

// Returns the process exit code.
int RunWatchCommand(const std::string& programDir, const WatchOptions& options);

}  // namespace tessarin
