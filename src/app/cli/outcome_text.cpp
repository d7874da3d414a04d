#include "outcome_text.h"

#include "core/display/cell_plain_text.h"
#include "core/display/cell_text.h"
#include "core/tools/terminal_text.h"

namespace tessarin {

namespace {

constexpr int kCellWidth = 78;

const char* AlertName(std::uint8_t alertState) {
  switch (alertState) {
    case 1:
      return "yellow";
    case 2:
      return "red";
    case 3:
      return "cache empty";
    default:
      return "none";
  }
}

}  // namespace

std::string CycleOutcomeText(const CycleOutcome& outcome, const CellTextOptions& options) {
  std::string text;
  const std::string rule(kCellWidth, '-');
  for (const SlotInfo& entry : outcome.display) {
    text += rule + "\n";
    for (const std::string& line : CellPlainText(CellLines(entry, options), kCellWidth)) {
      text += TerminalText(line) + "\n";
    }
    if (!entry.LostReason.empty())
      text += "Reason: " + entry.LostReason + "\n";
  }
  text += rule + "\n";
  text += std::string("Alert: ") + AlertName(outcome.alertState);
  text += outcome.sounds.empty() ? "" : "; sounds:";
  for (const std::string& sound : outcome.sounds)
    text += " " + sound;
  if (outcome.wallpaper)
    text += "; map viewer started";
  if (!outcome.writeRefusal.empty())
    text += "; " + TerminalText(outcome.writeRefusal);
  else if (!outcome.published)
    text += "; the scan failed (see the exception log)";
  return text + "\n";
}

}  // namespace tessarin
