#pragma once
// The scan of one remote client from what it answered over GUI RPC: the same result list,
// boinc.csv rows, display entries and work-left conditions as a client directory gives, but
// no backups, no project logs and no science details (those files are on the other machine).

#include <optional>

#include "core/data/result_list.h"
#include "core/data/slot_info.h"
#include "core/watcher/alert_decision.h"
#include "core/watcher/remote_watch.h"
#include "core/watcher/scan_context.h"

namespace tessarin {

class TaskDetailReader;

// A client that could not be read gives one entry whose status is a lost connection with the
// reason, counted in the exception log when it differs from the last one. Finished results of
// the state, and those reported since the last look (get_old_results), are logged once, dated
// by their completed_time. Gives the client's work-left conditions, or nothing when it could
// not be read.
std::optional<AlertConditions> ScanRemoteClient(ScanContext& context, TaskDetailReader& details,
                                                RemoteWatch& watch, const RemoteLook& look,
                                                ResultIndex& results, DisplayList& display);

}  // namespace tessarin
