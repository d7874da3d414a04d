#include "core/watcher/client_scan.h"

#include <exception>

#include "core/tools/exception_log.h"
#include "core/tools/text.h"
#include "core/watcher/client_facts.h"
#include "core/watcher/directory_scan.h"
#include "core/watcher/settings_keys.h"
#include "core/watcher/settings_store.h"

namespace tessarin {

ScanReport DrawMonitorImage(ScanContext& context, TaskDetailReader& details,
                            ClientConditions& lastGood) {
  SettingsStore& settings = context.env.settings;
  ScanReport report;
  try {
    ResultIndex results(report.results);
    for (const std::string& clientDir : WatchedClientDirs(settings)) {
      if (const auto own = ScanDirectory(context, details, clientDir, results, report.display)) {
        lastGood[clientDir] = *own;
      }
      if (const auto kept = lastGood.find(clientDir); kept != lastGood.end()) {
        report.conditions.yellow |= kept->second.yellow;
        report.conditions.red |= kept->second.red;
        report.conditions.empty |= kept->second.empty;
      }
    }
    report.published = true;
  } catch (const std::exception& error) {
    context.env.exceptions.LogFailure(std::string("DrawMonitorImage - ") + error.what());
    report = ScanReport{};
  }
  return report;
}

}  // namespace tessarin
