#pragma once
// The tray program's command line. Arguments it does not know are left to Qt.

#include <string>

#include "screenshot.h"

namespace tessarin {

struct TrayArguments {
  bool help = false;
  bool version = false;
  std::string home;        // --home DIR
  std::string screenshot;  // --screenshot FILE: draw into FILE and end
  // --compact, --overview or --setup: what the screenshot shows.
  ScreenshotView screenshotView = ScreenshotView::kNormal;
};

TrayArguments ParseTrayArguments(int argc, const char* const argv[]);

// What --help prints.
std::string TrayHelpText();

}  // namespace tessarin
