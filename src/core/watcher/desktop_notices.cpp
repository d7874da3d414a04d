#include "core/watcher/desktop_notices.h"

#include <algorithm>
#include <map>

#include "core/watcher/work_left.h"

namespace tessarin {

namespace {

// The projects of one client in list order, each once.
std::string ProjectNames(const ResultList& entries) {
  std::vector<std::string> names;
  for (const ResultEntry& entry : entries) {
    if (std::find(names.begin(), names.end(), entry.ProjectName) == names.end())
      names.push_back(entry.ProjectName);
  }
  std::string text;
  for (const std::string& name : names)
    text += (text.empty() ? "" : ", ") + name;
  return text;
}

DesktopNotice Notice(const std::string& what, const std::string& host, const std::string& projects,
                     const std::string& detail) {
  return {"Tessarin: " + what, "Host " + host + ", project " + projects + ": " + detail};
}

}  // namespace

std::vector<DesktopNotice> NoticeMemory::Due(const ResultList& results,
                                             const NoticeThresholds& thresholds) {
  if (!thresholds.enabled) {
    raised_.clear();
    return {};
  }
  std::vector<std::string> clients;
  std::map<std::string, ResultList> byClient;
  for (const ResultEntry& entry : results) {
    if (entry.ClientDir.empty())
      continue;
    ResultList& entries = byClient[entry.ClientDir];
    if (entries.empty())
      clients.push_back(entry.ClientDir);
    entries.push_back(entry);
  }

  std::vector<DesktopNotice> due;
  // A condition is reported when it starts and forgotten when it ends.
  const auto consider = [&](const std::string& key, bool holds, bool report,
                            const DesktopNotice& notice) {
    if (!holds)
      raised_.erase(key);
    else if (raised_.insert(key).second && report)
      due.push_back(notice);
  };
  for (const std::string& client : clients) {
    const ResultList& entries = byClient[client];
    const std::string& host = entries.front().HostName;
    AlertConditions work;
    AddWorkLeftConditions(SumWorkLeft(entries, 0), thresholds.redHours, thresholds.redHours, work);
    const std::string projects = ProjectNames(entries);
    consider(client + "\nempty", work.empty, true,
             Notice("cache empty", host, projects, "no work left"));
    // An empty cache is also a red alert; its own notice says more.
    consider(client + "\nred", work.red, !work.empty,
             Notice("red alert", host, projects,
                    "work left for " + std::to_string(thresholds.redHours) + " hours or less"));
    const auto failed = std::find_if(entries.begin(), entries.end(), [](const ResultEntry& e) {
      return e.State == result_state::kComputeError;
    });
    consider(client + "\nerror", failed != entries.end(), true,
             failed == entries.end() ? DesktopNotice{}
                                     : Notice("result finished with an error", host,
                                              failed->ProjectName, failed->ResultFileName));
  }
  return due;
}

}  // namespace tessarin
