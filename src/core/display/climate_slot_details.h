#pragma once
// climateprediction: phase, timestep and model date from the work unit's description file.

#include "core/display/slot_info.h"
#include "core/watcher/active_task_facts.h"
#include "core/watcher/environment.h"

namespace tessarin {

// Without a description file nothing is read and `percentDone` stays; a `percentDone` of
// exactly 0 is recomputed from phase and timestep.
void ReadClimateDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry,
                        double& percentDone);

}  // namespace tessarin
