#pragma once
// Taking one client's client_state.xml apart the way every reader of it starts.

#include <string>
#include <vector>

#include "core/watcher/scan_context.h"

namespace tessarin {

class SettingsStore;

// The host record and the core client version of a client state text, and the text itself
// without host_info, time_stats and net_stats. An empty text gives empty facts.
ClientFacts ReadClientFacts(std::string clientState);

// The enabled client directories of the section BoincDirs, in file order, each ending with a
// separator.
std::vector<std::string> WatchedClientDirs(const SettingsStore& settings);

}  // namespace tessarin
