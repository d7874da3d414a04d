#pragma once
// The work a client has left, for the alerts.

#include <cstddef>
#include <cstdint>

#include "core/data/result_list.h"
#include "core/watcher/alert_decision.h"

namespace tessarin {

struct WorkLeft {
  std::int64_t seconds = 0;
  bool unknown = false;  // a waiting result whose time cannot be estimated
};

// Over the entries from `first` on that still wait or run (not finished, not
// non-CPU-intensive, suspended or aborted): the time left, or else the result's estimated
// seconds. A result without any speed to estimate it by is unknown work, not none.
WorkLeft SumWorkLeft(const ResultList& results, std::size_t first);

// Adds the conditions that `left` meets to `conditions`; none while part of it is unknown.
void AddWorkLeftConditions(const WorkLeft& left, int yellowHours, int redHours,
                           AlertConditions& conditions);

}  // namespace tessarin
