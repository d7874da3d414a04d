#pragma once
// Desktop notifications: red alert, cache empty and a result finished with an error, each
// naming its host and project. One per condition and client until the condition clears, so a
// client that stays empty for a day raises one notice, not one per cycle.

#include <set>
#include <string>
#include <vector>

#include "core/data/result_list.h"

namespace tessarin {

struct DesktopNotice {
  std::string title;  // "Tessarin: cache empty"
  std::string body;   // "Host alpha, project SETI@home: no work left"

  bool operator==(const DesktopNotice&) const = default;
};

// Where notices go: the desktop's notification service, or a test's list.
class NoticeSink {
 public:
  virtual ~NoticeSink() = default;
  virtual void Notify(const DesktopNotice& notice) = 0;
};

struct NoticeThresholds {
  int redHours = 3;     // Options/redalert
  bool enabled = true;  // Options/desktopnotify
};

// Kept between cycles.
class NoticeMemory {
 public:
  // The notices that this cycle's result list calls for. Only clients whose state was read
  // whole count (ResultEntry::ClientDir); a client not seen this cycle keeps its conditions,
  // as an unreadable state file says nothing about its work. Switched off, nothing is due
  // and nothing is remembered, so switching on again reports what holds then.
  std::vector<DesktopNotice> Due(const ResultList& results, const NoticeThresholds& thresholds);

 private:
  // "client dir" + '\n' + condition name, for every condition already reported.
  std::set<std::string> raised_;
};

}  // namespace tessarin
