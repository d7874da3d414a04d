#pragma once
// What the routines of one watch cycle share: the program's environment, the cycle's flags,
// the logged-results cache and the project loggers.

#include <string>

#include "core/data/cycle_flags.h"
#include "core/data/host_record.h"
#include "core/settings/environment.h"

namespace tessarin {

class LoggedResults;
class ProjectLogger;

struct ScanContext {
  Environment& env;
  CycleFlags& flags;
  LoggedResults& logged;
  ProjectLogger& loggers;
  // Only read the clients: log, back up and remember nothing.
  bool readOnly = false;
};

// What the scan of one client directory knows of its client, for every result it logs.
struct ClientFacts {
  HostRecord host;
  // client_state.xml without host_info, time_stats and net_stats.
  std::string clientState;
  // core_client_major_version "." minor padded to two digits.
  std::string coreVersion;
};

}  // namespace tessarin
