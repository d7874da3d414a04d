#pragma once
// Percent done, CPU time and time left of a running task.

#include <cstdint>

#include "core/data/active_task_facts.h"
#include "core/data/result_list.h"
#include "core/data/slot_info.h"

namespace tessarin {

// Seconds left for a task at `progress` percent. Throws when the work-unit estimate is
// needed and the host speed is 0, or when the result does not fit 32 bits.
std::int32_t EstimateTimeLeft(const ActiveTaskFacts& facts, double progress);

// Progress, StatusText (percent), CpuText and TimeLeft, passed on to the result list, and
// the output size of SETI@home and Astropulse tasks. Nothing when no result is queued.
void FillProgress(const ActiveTaskFacts& facts, double percentDone, SlotInfo& entry,
                  ResultList& results);

}  // namespace tessarin
