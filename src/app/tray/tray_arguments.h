#pragma once
// The tray program's command line. Arguments it does not know are left to Qt.

#include <string>

namespace tessarin {

struct TrayArguments {
  bool help = false;
  bool version = false;
  std::string home;        // --home DIR
  std::string screenshot;  // --screenshot FILE: draw the display into FILE and end
  bool compact = false;    // the screenshot in the compact view
};

TrayArguments ParseTrayArguments(int argc, const char* const argv[]);

// What --help prints.
std::string TrayHelpText();

}  // namespace tessarin
