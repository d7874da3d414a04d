#pragma once
// The work a client has left, for the alerts.

#include <cstddef>
#include <cstdint>

#include "core/data/result_list.h"
#include "core/watcher/alert_decision.h"

namespace tessarin {

// Seconds over the entries from `first` on that still wait or run (not finished, not
// non-CPU-intensive, suspended or aborted): the time left, or else the estimate divided by the
// host speed, each rounded to a whole second (halves to even). An entry without a host speed
// adds nothing.
std::int64_t WorkLeftSeconds(const ResultList& results, std::size_t first);

// Adds the conditions that `seconds` of work left meets to `conditions`.
void AddWorkLeftConditions(std::int64_t seconds, int yellowHours, int redHours,
                           AlertConditions& conditions);

}  // namespace tessarin
