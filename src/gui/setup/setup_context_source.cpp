#include "gui/setup/setup_context_source.h"

#include <filesystem>
#include <system_error>

#include "core/watcher/map_viewer.h"
#include "platform/program_dir.h"

namespace tessarin {

namespace {

// Login starts the program on the directory it runs on now.
std::vector<std::string> AutostartArguments(const std::string& programDir,
                                            const std::string& homeOption) {
  if (homeOption.empty())
    return {};
  return {"--home", programDir};
}

// The freedesktop sound theme's folder, else the folder of the system's sounds.
std::string SoundThemeDir() {
  for (const char* dir : {"/usr/share/sounds/freedesktop/stereo", "/usr/share/sounds"}) {
    std::error_code ignored;
    if (std::filesystem::is_directory(dir, ignored))
      return dir;
  }
  return {};
}

}  // namespace

PlatformSetupContext::PlatformSetupContext(const SettingsStore& settings,
                                           const std::string& programDir,
                                           const std::string& homeOption)
    : sources(CurrentProgramDirSources(homeOption)),
      context{
          programDir,
          sources.executablePath,
          MapViewerPath(settings),
          FindBoincClientDir(BoincClientDirCandidates(ReadBoincConfigProperties(), sources.home)),
          autostart,
          AutostartArguments(programDir, homeOption),
          sources.home,
          FirstStartLogDir(sources),
          SoundThemeDir()} {}

}  // namespace tessarin
