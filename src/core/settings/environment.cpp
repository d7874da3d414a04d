#include "core/settings/environment.h"

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/text.h"

namespace tessarin {

std::string ResolveLogDir(const SettingsStore& settings, const std::string& programDir) {
  const std::string defaultDir = AddBackslash(programDir) + "logs";
  return AddBackslash(
      settings.ReadString(settings::kLogDir.section, settings::kLogDir.key, defaultDir));
}

}  // namespace tessarin
