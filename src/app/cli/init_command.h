#pragma once

#include <string>
#include <vector>

namespace tessarin {

// One --remote HOST[:PORT], with the --password-file that follows it.
struct RemoteInit {
  std::string address;
  std::string passwordFile;
};

struct InitOptions {
  std::vector<std::string> clients;
  std::vector<RemoteInit> remotes;
  std::string logDir;
  // Taken when no --logdir is given; empty keeps "logs" beside Tessarin.ini.
  std::string defaultLogDir;
  bool force = false;
};

// Writes a Tessarin.ini with the given client directories and remote clients enabled and every
// other setting at its default. Returns the process exit code.
int RunInitCommand(const std::string& programDir, const InitOptions& options);

}  // namespace tessarin
