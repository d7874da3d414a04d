#pragma once
// What each Overview cell reads.

#include <functional>
#include <string>

#include "core/browsers/overview_tree.h"

namespace tessarin {

// Between the estimate with redistributed shares and the one with all shares.
inline constexpr const char* kEstimateSeparator = "  -  ";

// Shows Unix seconds (UTC) in the user's date and time format.
using OverviewDateFormat = std::function<std::string(double unixSeconds)>;

// Local time as "yyyy-mm-dd hh:nn"; empty for a time that no calendar date can show.
std::string DefaultOverviewDateText(double unixSeconds);

// Text of `column` (overview_column::kProject ... kLtd) for `node`.
std::string TreeGetText(const OverviewNode& node, int column,
                        const OverviewDateFormat& dateText = DefaultOverviewDateText);

}  // namespace tessarin
