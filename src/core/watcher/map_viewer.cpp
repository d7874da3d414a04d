#include "core/watcher/map_viewer.h"

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/text.h"

namespace tessarin {

std::string MapViewerPath(const SettingsStore& settings) {
  std::string dir = settings.Read(settings::kSmvDir);
  if (dir.empty())
    dir = kDefaultMapViewerDir;
  return AddBackslash(dir) + kMapViewerProgram;
}

}  // namespace tessarin
