#pragma once
// Astropulse: sky position from the work-unit backup, peaks from the result file, progress
// from ap_state.dat.

#include <cstdint>
#include <string>

#include "core/data/active_task_facts.h"
#include "core/data/slot_info.h"
#include "core/settings/environment.h"

namespace tessarin {

// Without a work-unit backup nothing is read and `percentDone` stays. A missing or short
// ap_state.dat throws and leaves `percentDone` alone.
void ReadAstropulseDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry,
                           double& percentDone);

// The fraction done of an Astropulse checkpoint: the little-endian double at offset 224 of its
// 240-byte record, read as a client file (`path` lies in `clientDir`). Throws
// ClientFileRefused for a refused file, std::runtime_error when it cannot be read, is shorter
// than the record, or the value is not a finite number.
double ReadApFractionDone(const std::string& clientDir, const std::string& path,
                          std::uint64_t maxBytes);

}  // namespace tessarin
