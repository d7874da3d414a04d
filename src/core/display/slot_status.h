#pragma once
// The status line of a display entry: its text and colour.

#include "core/display/slot_info.h"
#include "core/watcher/active_task_facts.h"

namespace tessarin {

// Appends the state word to the percent in StatusText, or replaces it by a whole message.
void FillStatus(const ActiveTaskFacts& facts, SlotInfo& entry);

}  // namespace tessarin
