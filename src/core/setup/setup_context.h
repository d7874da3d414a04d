#pragma once
// What loading and saving the setup need besides the settings store.

#include <string>

namespace tessarin {

class AutostartEntry;

struct SetupContext {
  // With a trailing separator; the default log directory is programDir + "logs".
  std::string programDir;
  // Full path of the running program, started by the autostart entry.
  std::string programPath;
  // The map viewer found at start-up; its directory is saved as Options/smvdir.
  std::string mapViewerPath;
  // Offered when the BoincDirs section is empty: the usual BOINC data directory that holds
  // client_state.xml (empty when there is none).
  std::string defaultClientDir;
  AutostartEntry& autostart;
};

}  // namespace tessarin
