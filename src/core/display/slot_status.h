#pragma once
// The status line of a display entry: its text and colour.

#include "core/data/active_task_facts.h"
#include "core/data/slot_info.h"

namespace tessarin {

// Appends the state word to the percent in StatusText, or replaces it by a whole message.
void FillStatus(const ActiveTaskFacts& facts, SlotInfo& entry);

}  // namespace tessarin
