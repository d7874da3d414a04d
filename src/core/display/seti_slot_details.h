#pragma once
// SETI@home: sky position from the work-unit backup, best signals and progress from state.sah.

#include "core/data/active_task_facts.h"
#include "core/data/slot_info.h"
#include "core/settings/environment.h"

namespace tessarin {

// Without a group_info in the work-unit backup nothing is read and `percentDone` stays.
void ReadSetiDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry,
                     double& percentDone);

}  // namespace tessarin
