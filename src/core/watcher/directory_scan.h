#pragma once
// The scan of one client directory, the body of the client scan.

#include <optional>
#include <string>

#include "core/data/result_list.h"
#include "core/data/slot_info.h"
#include "core/watcher/alert_decision.h"
#include "core/watcher/scan_context.h"

namespace tessarin {

class TaskDetailReader;

// Reads the directory's client_state.xml; logs its finished results, makes its backups, adds
// its entries to `results`, hands every running task (or the client itself when it runs
// nothing or cannot be read) to `details`, keeps its checkpoint memory and logs vanished tasks
// from their backups. Gives the directory's work-left conditions, or nothing when its client
// state was missing or cut off. `clientDir` ends with a separator. An error that no step
// handles itself (a failing settings flush, say) reaches the caller.
std::optional<AlertConditions> ScanDirectory(ScanContext& context, TaskDetailReader& details,
                                             const std::string& clientDir, ResultIndex& results,
                                             DisplayList& display);

}  // namespace tessarin
