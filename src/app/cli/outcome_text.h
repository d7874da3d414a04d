#pragma once
// The text view of one cycle: one block per display entry, laid out like its cell.

#include <string>

#include "core/display/cell_text.h"
#include "core/watcher/watch_cycle.h"

namespace tessarin {

std::string CycleOutcomeText(const CycleOutcome& outcome, const CellTextOptions& options);

}  // namespace tessarin
