#pragma once
// What loading and saving the setup need besides the settings store.

#include <string>
#include <vector>

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
  // What the autostart entry passes after the program path ("--home" DIR when the program
  // was started with one), so that login opens the same program directory.
  std::vector<std::string> autostartArguments = {};
  // The user's home, for "~" in the path fields; empty leaves "~" alone.
  std::string home = {};
  // The log directory a first start proposes; empty proposes programDir + "logs".
  std::string firstStartLogDir = {};
  // Where the sound chooser starts when no sound file is named yet: the desktop's sound
  // theme (/usr/share/sounds/freedesktop/stereo); empty leaves it to the chooser.
  std::string soundThemeDir = {};
};

}  // namespace tessarin
