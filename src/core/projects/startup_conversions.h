#pragma once
// The start-up steps over the log directory, run once before the first watch cycle.

#include <string>
#include <vector>

#include "core/projects/score_rating.h"
#include "core/settings/environment.h"

namespace tessarin {

// ConvertCommandLogs, UpgradeLogFiles, BuildEinsteinLog and GetScores, in this order. A
// failing step gives one message ("<step> - <error>", also counted in the exception log)
// and the remaining steps still run. `scores` receives the score thresholds.
std::vector<std::string> RunStartupConversions(const Environment& env, ScoreThresholds& scores);

}  // namespace tessarin
