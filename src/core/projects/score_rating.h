#pragma once
// Score rating of the best SETI@home signals: a low and a high limit per signal type,
// taken from the best-signal scores logged in sah_boinc.csv.

#include "core/settings/environment.h"

namespace tessarin {

// Below `low` rates green, above `high` red, anything else yellow.
struct ScoreLimits {
  float low = 0;
  float high = 0;
};

struct ScoreThresholds {
  bool rateScores = false;  // Options/ratescores
  ScoreLimits spike{-0.25f, 0.14f};
  ScoreLimits gaussian{0.12f, 0.3f};
  ScoreLimits pulse{0.95f, 1.5f};
  ScoreLimits triplet{4.45f, 13.6f};
};

// The defaults, or, when Options/ratescores is on, limits from every type that has at least
// six non-zero scores in sah_boinc.csv. Reads the file once, line by line. Errors are
// counted as "GetScores - ..." and leave every limit at its default.
ScoreThresholds GetScores(const Environment& env);

}  // namespace tessarin
