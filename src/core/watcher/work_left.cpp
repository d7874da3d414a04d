#include "core/watcher/work_left.h"

#include <limits>

#include "core/tools/number_format.h"

namespace tessarin {

namespace {

bool StillCounts(std::uint8_t state) {
  return state != result_state::kComputeError && state != result_state::kUploading &&
         state != result_state::kUploaded &&
         (state < result_state::kNonCpuFinished || state > result_state::kAborted);
}

std::int64_t EntrySeconds(const ResultEntry& entry) {
  if (entry.TimeLeft != -1)
    return entry.TimeLeft;
  if (!(entry.HostSpeed > 0))
    return 0;
  const double seconds = entry.Estimate / entry.HostSpeed;
  std::int32_t rounded = 0;
  if (RoundHalfEven(seconds, rounded))
    return rounded;
  // Beyond 32 bits: a huge amount of work, never "none".
  return seconds > 0 ? std::numeric_limits<std::int32_t>::max() : 0;
}

}  // namespace

std::int64_t WorkLeftSeconds(const ResultList& results, std::size_t first) {
  std::int64_t sum = 0;
  for (std::size_t i = first; i < results.size(); ++i) {
    if (StillCounts(results[i].State))
      sum += EntrySeconds(results[i]);
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
