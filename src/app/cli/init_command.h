#pragma once

#include <string>
#include <vector>

namespace tessarin {

struct InitOptions {
  std::vector<std::string> clients;
  std::string logDir;
  // Taken when no --logdir is given; empty keeps "logs" beside Tessarin.ini.
  std::string defaultLogDir;
  bool force = false;
};

// Writes a Tessarin.ini with the given clients enabled and every other setting at its
// default. Returns the process exit code.
int RunInitCommand(const std::string& programDir, const InitOptions& options);

}  // namespace tessarin
