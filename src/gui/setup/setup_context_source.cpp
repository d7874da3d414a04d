#include "gui/setup/setup_context_source.h"

#include "core/watcher/map_viewer.h"
#include "platform/program_dir.h"

namespace tessarin {

PlatformSetupContext::PlatformSetupContext(const SettingsStore& settings,
                                           const std::string& programDir)
    : context{programDir, CurrentProgramDirSources("").executablePath, MapViewerPath(settings),
              FindBoincClientDir(BoincClientDirCandidates(ReadBoincConfigProperties(),
                                                          CurrentProgramDirSources("").home)),
              autostart} {}

}  // namespace tessarin
