#include "core/watcher/client_facts.h"

#include "core/data/shared_log_block.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

ClientFacts ReadClientFacts(std::string clientState) {
  ClientFacts client;
  if (clientState.empty())
    return client;
  const std::string netStats = ExtractTagCut(clientState, "net_stats");
  const std::string timeStats = ExtractTagCut(clientState, "time_stats");
  const std::string hostInfo = ExtractTagCut(clientState, "host_info");
  client.host = ReadHostRecord(hostInfo, timeStats, netStats);
  client.coreVersion = FormatBoincVersion(ExtractTag(clientState, "core_client_major_version"),
                                          ExtractTag(clientState, "core_client_minor_version"));
  client.clientState = std::move(clientState);
  return client;
}

std::vector<std::string> WatchedClientDirs(const SettingsStore& settings) {
  std::vector<std::string> dirs;
  for (const std::string& key : settings.ReadSection(sections::kBoincDirs)) {
    const std::string clientDir = AddBackslash(UnescapeIniText(key));
    if (clientDir.empty())
      continue;
    if (!settings.ReadBool(sections::kBoincDirs, key, settings::kBoincDirEnabledDefault))
      continue;
    dirs.push_back(clientDir);
  }
  return dirs;
}

}  // namespace tessarin
