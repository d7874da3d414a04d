#include "tray_arguments.h"

#include <string_view>

#include "platform/program_dir.h"

namespace tessarin {

TrayArguments ParseTrayArguments(int argc, const char* const argv[]) {
  TrayArguments arguments;
  arguments.home = HomeOption(argc, argv);
  constexpr std::string_view kScreenshot = "--screenshot";
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h")
      arguments.help = true;
    else if (argument == "--version")
      arguments.version = true;
    else if (argument == "--compact")
      arguments.screenshotView = ScreenshotView::kCompact;
    else if (argument == "--overview")
      arguments.screenshotView = ScreenshotView::kOverview;
    else if (argument == "--setup")
      arguments.screenshotView = ScreenshotView::kSetup;
    else if (argument == kScreenshot && i + 1 < argc)
      arguments.screenshot = argv[++i];
    else if (argument.starts_with(kScreenshot) && argument.size() > kScreenshot.size() &&
             argument[kScreenshot.size()] == '=')
      arguments.screenshot = std::string(argument.substr(kScreenshot.size() + 1));
  }
  return arguments;
}

std::string TrayHelpText() {
  return "Usage: tessarin [OPTIONS]\n"
         "\n"
         "The Tessarin tray program: shows the running BOINC tasks, logs every finished\n"
         "result to CSV files and alerts when work runs low. A second start brings the\n"
         "running one's window forward.\n"
         "\n"
         "Options:\n"
         "  --home DIR         program directory (Tessarin.ini); default: the program's\n"
         "                     folder when it holds a Tessarin.ini, else ~/.config/Tessarin\n"
         "  --screenshot FILE  draw the monitoring display after one cycle into FILE (PNG)\n"
         "                     and end\n"
         "  --compact          the screenshot in the compact view\n"
         "  --overview         the screenshot of the overall view\n"
         "  --setup            the screenshot of the setup dialog\n"
         "  -h, --help         print this help and end\n"
         "  --version          print the version and the licence and end\n";
}

}  // namespace tessarin
