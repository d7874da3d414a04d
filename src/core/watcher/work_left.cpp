#include "core/watcher/work_left.h"

namespace tessarin {

std::int64_t WorkLeftSeconds(const ResultList& results, std::size_t first) {
  std::int64_t sum = 0;
  for (std::size_t i = first; i < results.size(); ++i) {
    if (StillToCompute(results[i].State))
      sum += ResultSecondsLeft(results[i]);
  }
  return sum;
}

void AddWorkLeftConditions(std::int64_t seconds, int yellowHours, int redHours,
                           AlertConditions& conditions) {
  const double hours = static_cast<double>(seconds) / 3600;
  if (hours <= yellowHours)
    conditions.yellow = true;
  if (hours <= redHours)
    conditions.red = true;
  if (seconds == 0)
    conditions.empty = true;
}

}  // namespace tessarin
