#pragma once
// Einstein@Home: detector and frequency band from the command line, candidates from the
// result files.

#include "core/data/active_task_facts.h"
#include "core/data/slot_info.h"
#include "core/settings/environment.h"

namespace tessarin {

void ReadEinsteinDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry);

}  // namespace tessarin
