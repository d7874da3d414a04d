#include "core/watcher/work_left.h"

#include "core/data/result_estimate.h"

namespace tessarin {

WorkLeft SumWorkLeft(const ResultList& results, std::size_t first) {
  WorkLeft left;
  for (std::size_t i = first; i < results.size(); ++i) {
    const ResultEntry& entry = results[i];
    if (!StillToCompute(entry.State))
      continue;
    if (entry.TimeLeft != -1) {
      left.seconds += entry.TimeLeft;
    } else if (const auto seconds = EstimatedSeconds(entry)) {
      left.seconds += *seconds;
    } else if (!entry.ResultFileName.empty()) {
      // A result waits but nothing tells how long it takes; a project entry is no work.
      left.unknown = true;
    }
  }
  return left;
}

void AddWorkLeftConditions(const WorkLeft& left, int yellowHours, int redHours,
                           AlertConditions& conditions) {
  // Work of unknown length may be any amount: no level can be told from the known part.
  if (left.unknown)
    return;
  const double hours = static_cast<double>(left.seconds) / 3600;
  if (hours <= yellowHours)
    conditions.yellow = true;
  if (hours <= redHours)
    conditions.red = true;
  if (left.seconds == 0)
    conditions.empty = true;
}

}  // namespace tessarin
