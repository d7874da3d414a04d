#pragma once
// How long a result of the result list still needs by its estimate, for the work-left alerts
// and the Overview window alike.

#include <cstdint>
#include <optional>

#include "core/data/result_list.h"

namespace tessarin {

// The estimate divided by the speed of the result's app version when the client gives one,
// else by the host's speed; whole seconds (halves to even), at least 0, at most the largest
// 32-bit value. Nothing when neither speed is known.
std::optional<std::int32_t> EstimatedSeconds(const ResultEntry& entry);

}  // namespace tessarin
