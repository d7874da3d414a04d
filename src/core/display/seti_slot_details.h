#pragma once
// SETI@home: sky position from the work-unit backup, best signals and progress from state.sah.

#include "core/display/slot_info.h"
#include "core/watcher/active_task_facts.h"
#include "core/watcher/environment.h"

namespace tessarin {

// Without a group_info in the work-unit backup nothing is read and `percentDone` stays.
void ReadSetiDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry,
                     double& percentDone);

}  // namespace tessarin
