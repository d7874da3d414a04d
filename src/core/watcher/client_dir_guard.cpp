#include "core/watcher/client_dir_guard.h"

#include "core/settings/environment.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/path_inside.h"
#include "core/tools/text.h"

namespace tessarin {

std::string InsideClientText(const std::string& what, const std::string& dir,
                             const std::string& clientDir) {
  return what + " " + dir + " lies inside the client directory " + clientDir +
         ": nothing is written there";
}

WriteRefusal WriteIntoClientRefusal(const SettingsStore& settings, const Environment& env) {
  for (const std::string& key : settings.ReadSection(sections::kBoincDirs)) {
    const std::string clientDir = UnescapeIniText(key);
    if (clientDir.empty() ||
        !settings.ReadBool(sections::kBoincDirs, key, settings::kBoincDirEnabledDefault)) {
      continue;
    }
    if (IsSameOrInside(env.programDir, clientDir))
      return {InsideClientText("Program directory", env.programDir, clientDir), true};
    if (IsSameOrInside(env.logDir, clientDir))
      return {InsideClientText("Log directory", env.logDir, clientDir), false};
  }
  return {};
}

}  // namespace tessarin
