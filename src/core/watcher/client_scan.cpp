#include "core/watcher/client_scan.h"

#include <exception>
#include <future>

#include "core/tools/date_time.h"
#include "core/tools/exception_log.h"
#include "core/tools/text.h"
#include "core/watcher/directory_scan.h"
#include "core/watcher/remote_clients.h"
#include "core/watcher/remote_scan.h"
#include "core/watcher/remote_watch.h"
#include "core/watcher/settings_keys.h"
#include "core/watcher/settings_store.h"

namespace tessarin {

ScanReport DrawMonitorImage(ScanContext& context, TaskDetailReader& details, RemoteWatch& remote) {
  SettingsStore& settings = context.env.settings;
  ScanReport report;
  std::future<std::vector<RemoteLook>> looks;
  try {
    const std::vector<RemoteClientSetting> remoteClients = ReadRemoteClients(settings);
    if (!remoteClients.empty()) {
      looks =
          std::async(std::launch::async, &RemoteWatch::LookAtAll, &remote, remoteClients,
                     ReadRemoteTimeouts(settings), context.env.programDir, context.env.clock.Now());
    }
    for (const std::string& key : settings.ReadSection(sections::kBoincDirs)) {
      const std::string clientDir = AddBackslash(UnescapeIniText(key));
      if (clientDir.empty())
        continue;
      if (!settings.ReadBool(sections::kBoincDirs, key, settings::kBoincDirEnabledDefault)) {
        continue;
      }
      ScanDirectory(context, details, clientDir, report.results, report.display, report.conditions);
    }
    if (looks.valid()) {
      for (const RemoteLook& look : looks.get()) {
        ScanRemoteClient(context, details, remote, look, report.results, report.display,
                         report.conditions);
      }
    }
    report.published = true;
  } catch (const std::exception& error) {
    context.env.exceptions.LogException(std::string("DrawMonitorImage - ") + error.what());
    report = ScanReport{};
  }
  return report;
}

}  // namespace tessarin
