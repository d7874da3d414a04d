#include "core/data/result_estimate.h"

#include <algorithm>
#include <limits>

#include "core/tools/number_format.h"

namespace tessarin {

std::optional<std::int32_t> EstimatedSeconds(const ResultEntry& entry) {
  // Comparisons written so that NaN counts as no speed.
  const double speed = entry.Flops > 0 ? entry.Flops : entry.HostSpeed;
  if (!(speed > 0))
    return std::nullopt;
  const double seconds = entry.Estimate / speed;
  std::int32_t rounded = 0;
  if (RoundHalfEven(seconds, rounded))
    return std::max(rounded, 0);
  return seconds > 0 ? std::numeric_limits<std::int32_t>::max() : 0;
}

}  // namespace tessarin
