#pragma once
// climateprediction: phase, timestep and model date from the work unit's description file.

#include "core/data/active_task_facts.h"
#include "core/data/slot_info.h"
#include "core/settings/environment.h"

namespace tessarin {

// Without a description file nothing is read and `percentDone` stays; a `percentDone` of
// exactly 0 is recomputed from phase and timestep.
void ReadClimateDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry,
                        double& percentDone);

}  // namespace tessarin
