#include "core/display/slot_status.h"

#include "core/display/slot_fields.h"

namespace tessarin {

void FillStatus(const ActiveTaskFacts& facts, SlotInfo& entry) {
  entry.StatusColor = colors::kBlack;
  if (facts.queuedCount <= 0) {
    if (facts.clientState.empty()) {
      entry.ReadyCount = -1;
      entry.StatusText = "Connection to client lost !";
    } else {
      entry.StatusText = "Cache empty !";
    }
    entry.StatusColor = colors::kRed;
    return;
  }
  if (facts.resultName.empty()) {
    entry.StatusText = "No task running";
    return;
  }
  switch (facts.progress) {
    case ProgressStatus::kActive:
      entry.StatusText += " (active)";
      entry.StatusColor = colors::kGreen;
      break;
    case ProgressStatus::kInactive:
      entry.StatusText += " (inactive)";
      entry.StatusColor = colors::kRed;
      break;
    case ProgressStatus::kSuspended:
      entry.StatusText += " (suspended)";
      entry.StatusColor = colors::kRed;
      break;
    case ProgressStatus::kNonCpuIntensive:
      entry.StatusText = "always active (non cpu intensive)";
      entry.StatusColor = colors::kGreen;
      break;
    case ProgressStatus::kNotJudged:
      break;
  }
  entry.StatusText = Bounded(entry.StatusText, slot_width::kStatusText);
}

}  // namespace tessarin
