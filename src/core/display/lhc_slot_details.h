#pragma once
// LHC: the number of turns from the SixTrack input deck fort.3.

#include "core/data/active_task_facts.h"
#include "core/data/slot_info.h"
#include "core/settings/environment.h"

namespace tessarin {

// InfoText "(<turns> turns)" when the deck's tracking parameters give more than 0 turns.
void ReadLhcDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry);

}  // namespace tessarin
