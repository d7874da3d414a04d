#include "core/watcher/environment.h"

#include "core/tools/text.h"
#include "core/watcher/settings_keys.h"
#include "core/watcher/settings_store.h"

namespace tessarin {

std::string ResolveLogDir(const SettingsStore& settings, const std::string& programDir) {
  const std::string defaultDir = AddBackslash(programDir) + "logs";
  return AddBackslash(
      settings.ReadString(settings::kLogDir.section, settings::kLogDir.key, defaultDir));
}

}  // namespace tessarin
