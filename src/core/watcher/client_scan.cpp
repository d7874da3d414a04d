#include "core/watcher/client_scan.h"

#include <exception>
#include <future>
#include <optional>

#include "core/remote/remote_clients.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/date_time.h"
#include "core/tools/text.h"
#include "core/watcher/client_facts.h"
#include "core/watcher/directory_scan.h"
#include "core/watcher/remote_scan.h"
#include "core/watcher/remote_watch.h"

namespace tessarin {

namespace {

// A client's own conditions replace the ones kept for it; the kept ones count.
void KeepConditions(const std::optional<AlertConditions>& own, const std::string& client,
                    ClientConditions& lastGood, AlertConditions& conditions) {
  if (own)
    lastGood[client] = *own;
  if (const auto kept = lastGood.find(client); kept != lastGood.end()) {
    conditions.yellow |= kept->second.yellow;
    conditions.red |= kept->second.red;
    conditions.empty |= kept->second.empty;
  }
}

}  // namespace

ScanReport DrawMonitorImage(ScanContext& context, TaskDetailReader& details,
                            ClientConditions& lastGood, RemoteWatch& remote) {
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
    ResultIndex results(report.results);
    for (const std::string& clientDir : WatchedClientDirs(settings)) {
      KeepConditions(ScanDirectory(context, details, clientDir, results, report.display), clientDir,
                     lastGood, report.conditions);
    }
    if (looks.valid()) {
      for (const RemoteLook& look : looks.get()) {
        KeepConditions(ScanRemoteClient(context, details, remote, look, results, report.display),
                       look.key, lastGood, report.conditions);
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
