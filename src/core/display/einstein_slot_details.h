#pragma once
// Einstein@Home: detector and frequency band from the command line, candidates from the
// result files.

#include "core/display/slot_info.h"
#include "core/watcher/active_task_facts.h"
#include "core/watcher/environment.h"

namespace tessarin {

void ReadEinsteinDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry);

}  // namespace tessarin
