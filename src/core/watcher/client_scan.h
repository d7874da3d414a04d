#pragma once
// The client scan, the body of every watch cycle: every enabled directory of the section
// BoincDirs, in file order, then every enabled remote client.

#include <map>
#include <string>

#include "core/data/result_list.h"
#include "core/data/slot_info.h"
#include "core/watcher/alert_decision.h"
#include "core/watcher/scan_context.h"

namespace tessarin {

class TaskDetailReader;
class RemoteWatch;

struct ScanReport {
  // False when the scan ended with an error ("DrawMonitorImage - "): the lists are empty and
  // the conditions must not be used.
  bool published = false;
  AlertConditions conditions;
  DisplayList display;  // in scan order
  ResultList results;
};

// The work-left conditions of each client directory from its last whole client state, kept
// between cycles: a client state missing or cut off for a moment keeps the client's alerts.
using ClientConditions = std::map<std::string, AlertConditions>;

// The remote clients of section RemoteClients are asked all at once while the directories are
// read, and scanned after them.
ScanReport DrawMonitorImage(ScanContext& context, TaskDetailReader& details,
                            ClientConditions& lastGood, RemoteWatch& remote);

}  // namespace tessarin
