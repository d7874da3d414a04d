#include "core/watcher/client_scan.h"

#include <exception>

#include "core/tools/exception_log.h"
#include "core/tools/text.h"
#include "core/watcher/directory_scan.h"
#include "core/watcher/settings_keys.h"
#include "core/watcher/settings_store.h"

namespace tessarin {

ScanReport DrawMonitorImage(ScanContext& context, TaskDetailReader& details) {
  SettingsStore& settings = context.env.settings;
  ScanReport report;
  try {
    for (const std::string& key : settings.ReadSection(sections::kBoincDirs)) {
      const std::string clientDir = AddBackslash(UnescapeIniText(key));
      if (clientDir.empty())
        continue;
      if (!settings.ReadBool(sections::kBoincDirs, key, settings::kBoincDirEnabledDefault)) {
        continue;
      }
      ScanDirectory(context, details, clientDir, report.results, report.display, report.conditions);
    }
    report.published = true;
  } catch (const std::exception& error) {
    context.env.exceptions.LogFailure(std::string("DrawMonitorImage - ") + error.what());
    report = ScanReport{};
  }
  return report;
}

}  // namespace tessarin
