#include "core/watcher/client_facts.h"

#include <unordered_set>

#include "core/data/shared_log_block.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/dir_path.h"
#include "core/tools/files.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

std::string ReadWholeClientState(const std::function<std::string()>& read) {
  std::string state = read();
  if (!ContainsText(state, "</client_state>"))
    state = read();
  return state;
}

std::string ReadClientStateFile(const std::string& clientDir, ExceptionCounter& exceptions) {
  const std::string path = clientDir + "client_state.xml";
  return ReadWholeClientState([&] { return FileAsString(path, exceptions); });
}

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
  // "/x", "/x/" and "/x//" are one client: watched twice, every cell would show twice.
  std::unordered_set<std::string> seen;
  for (const std::string& key : settings.ReadSection(sections::kBoincDirs)) {
    const std::string clientDir = AddBackslash(UnescapeIniText(key));
    if (clientDir.empty())
      continue;
    if (!settings.ReadBool(sections::kBoincDirs, key, settings::kBoincDirEnabledDefault))
      continue;
    if (seen.insert(NormalDir(clientDir)).second)
      dirs.push_back(clientDir);
  }
  return dirs;
}

}  // namespace tessarin
