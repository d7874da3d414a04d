#include "core/projects/score_rating.h"

#include <array>
#include <cmath>
#include <exception>
#include <limits>

#include "core/data/log_files.h"
#include "core/projects/log_line_reader.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/csv.h"
#include "core/tools/files.h"
#include "core/tools/number_format.h"

namespace tessarin {

namespace {

constexpr std::size_t kReadBufferSize = 32 * 1024;
constexpr std::uint32_t kMinimumCount = 6;

struct ScoreStatistics {
  const char* column;
  float divisor;  // the triplet limits lie further from the average
  ScoreLimits ScoreThresholds::*limits;
  int position = 0;
  std::uint32_t count = 0;
  float sum = 0;
  float minimum = 1000000;
  // Starts below every score: the spike scores are often all negative.
  float maximum = -std::numeric_limits<float>::infinity();

  void Add(float score) {
    ++count;
    sum += score;
    if (score > maximum)
      maximum = score;
    if (score < minimum)
      minimum = score;
  }

  void Apply(ScoreThresholds& thresholds) const {
    if (count < kMinimumCount)
      return;
    const float average = sum / static_cast<float>(count);
    ScoreLimits& target = thresholds.*limits;
    target.low = (2 * average + minimum) / divisor;
    target.high = (2 * average + maximum) / divisor;
  }
};

using AllStatistics = std::array<ScoreStatistics, 4>;

AllStatistics ReadStatistics(const std::string& path) {
  AllStatistics types{{{"bs_score", 3, &ScoreThresholds::spike},
                       {"bg_score", 3, &ScoreThresholds::gaussian},
                       {"bp_score", 3, &ScoreThresholds::pulse},
                       {"bt_score", 2, &ScoreThresholds::triplet}}};
  LogLineReader reader(path, kReadBufferSize);
  std::string line;
  if (!reader.ReadLine(line))
    return types;
  const char separator = DetectSeparator(line);
  const FieldArray header = SplitCsvLine(line, separator, true);
  ColumnSet wanted;
  for (ScoreStatistics& type : types) {
    for (int k = 1; k <= kMaxCsvFields; ++k) {
      if (header[k] == type.column)
        type.position = k;  // the last one counts
    }
    if (type.position > 0)
      wanted.set(static_cast<std::size_t>(type.position));
  }
  while (reader.ReadLine(line)) {
    const FieldArray fields = SplitCsvLine(line, separator, true, wanted);
    for (ScoreStatistics& type : types) {
      if (type.position == 0)
        continue;
      const auto score = static_cast<float>(StrToFloatSafe(fields[type.position]));
      if (score != 0 && std::isfinite(score))
        type.Add(score);
    }
  }
  return types;
}

}  // namespace

ScoreThresholds GetScores(const Environment& env) {
  ScoreThresholds thresholds;
  thresholds.rateScores = env.settings.Read(settings::kRateScores);
  const std::string path = env.logDir + logs::kSahCsv;
  if (!thresholds.rateScores || !PathExists(path))
    return thresholds;
  try {
    for (const ScoreStatistics& type : ReadStatistics(path))
      type.Apply(thresholds);
  } catch (const std::exception& error) {
    // Limits are only set once the whole file has been read, so all stay at default.
    env.exceptions.LogException(std::string("GetScores - ") + error.what());
  }
  return thresholds;
}

}  // namespace tessarin
