#pragma once
// The program never writes into a client directory: a log directory or program directory that
// is, or lies inside, a watched client directory stops every write of the cycle.

#include <string>

namespace tessarin {

class SettingsStore;
struct Environment;

struct WriteRefusal {
  std::string text;  // one line; empty when the directories are apart
  // Tessarin.ini itself lies in the client directory: not even the exception log is written.
  bool programDirInside = false;
};

// Checks the log directory, then the program directory, against every enabled directory of
// BoincDirs.
WriteRefusal WriteIntoClientRefusal(const SettingsStore& settings, const Environment& env);

// "<what> <dir> lies inside the client directory <clientDir>: nothing is written there".
std::string InsideClientText(const std::string& what, const std::string& dir,
                             const std::string& clientDir);

}  // namespace tessarin
