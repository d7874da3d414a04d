#include "core/display/slot_progress.h"

#include <stdexcept>

#include "core/display/slot_fields.h"
#include "core/display/slot_paths.h"
#include "core/tools/files.h"
#include "core/tools/number_format.h"

namespace tessarin {

std::int32_t EstimateTimeLeft(const ActiveTaskFacts& facts, double progress) {
  const double cpu = facts.checkpointCpuTime;
  if (progress >= 100)
    return 1;
  if (progress > 0 && cpu > 0)
    return WholeSeconds(cpu * 100 / progress - cpu, "time left");
  const double speed = StrToFloatSafe(facts.host.p_fpops);
  if (speed == 0)
    throw std::domain_error("host speed is zero");
  const double estimate = facts.wuEstimate / speed;
  if (progress > 0)
    return WholeSeconds((100 - progress) / 100 * estimate, "time left");
  if (estimate > cpu + 1)
    return WholeSeconds(estimate - cpu, "time left");
  return 1;
}

void FillProgress(const ActiveTaskFacts& facts, double percentDone, SlotInfo& entry,
                  ResultList& results) {
  // A client with work that runs nothing has no progress or CPU time to show.
  if (facts.queuedCount <= 0 || facts.resultName.empty())
    return;
  entry.Progress = percentDone;
  entry.StatusText = Bounded(Fixed(entry.Progress, 5, 3) + " %", slot_width::kStatusText);
  entry.CpuText = Bounded(": " + FormatHMS(WholeSeconds(facts.checkpointCpuTime, "CPU time")),
                          slot_width::kCpuText);
  entry.TimeLeft = EstimateTimeLeft(facts, entry.Progress);
  if (!entry.NonCpuIntensive) {
    entry.CpuText =
        Bounded(entry.CpuText + " (" + FormatHMS(entry.TimeLeft) + " left)", slot_width::kCpuText);
  }
  SetTimeLeft(results, facts.resultFileName, entry.TimeLeft);
  const bool setiKind = entry.ProjectKind == static_cast<std::uint8_t>(ProjectKind::kSeti) ||
                        entry.ProjectKind == static_cast<std::uint8_t>(ProjectKind::kAstropulse);
  if (setiKind && !facts.remote) {
    entry.OutputSize = CheckedField<std::int32_t>(FileSizeOf(ResultFilePath(facts)), "output size");
  }
}

}  // namespace tessarin
