#pragma once
// Taking one client's client_state.xml apart the way every reader of it starts.

#include <functional>
#include <string>
#include <vector>

#include "core/watcher/scan_context.h"

namespace tessarin {

class ExceptionCounter;
class SettingsStore;

// The client saves by renaming client_state_next.xml over client_state.xml: caught in that
// moment the file is missing or cut short. `read` is then asked once more, and its second
// answer stands, whole or not.
std::string ReadWholeClientState(const std::function<std::string()>& read);

// A client directory's client_state.xml, read by that rule; empty when it cannot be read.
std::string ReadClientStateFile(const std::string& clientDir, ExceptionCounter& exceptions);

// The host record and the core client version of a client state text, and the text itself
// without host_info, time_stats and net_stats. An empty text gives empty facts.
ClientFacts ReadClientFacts(std::string clientState);

// The enabled client directories of the section BoincDirs, in file order, each ending with a
// separator; a directory listed under two spellings ("/x", "/x/") comes once.
std::vector<std::string> WatchedClientDirs(const SettingsStore& settings);

}  // namespace tessarin
