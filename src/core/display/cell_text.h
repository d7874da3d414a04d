#pragma once
// What one cell of the monitoring display shows: its lines in drawing order with their texts
// and colours. Positions, fonts and text widths are the painter's.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/data/slot_info.h"
#include "core/projects/score_rating.h"

namespace tessarin {

enum class CellLineKind : std::uint8_t {
  kHeader,   // the black band: host at the left, "Slot n" centred, cache counts right
  kNames,    // project (bold) at the left, the result name right (see ShortenResultName)
  kScience,  // InfoText right-aligned, small print
  kSignal,   // label and value of one best signal, peak or model line; normal view only
  kCpuTime,  // "CPU Time" and CpuText
  kStatus,   // "Status:" and StatusText in its colour; the output size right-aligned
};

// The coloured dot before a rated SETI@home signal.
enum class ScoreMark : std::uint8_t { kNone, kGreen, kYellow, kRed };

struct CellLine {
  CellLineKind kind = CellLineKind::kHeader;
  std::string label;   // at the left edge (signal lines: the label column)
  std::string value;   // in the value column
  std::string centre;  // centred
  std::string right;   // right-aligned
  Rgb valueColor = colors::kBlack;
  ScoreMark mark = ScoreMark::kNone;
};

struct CellTextOptions {
  bool compact = false;
  // From GetScores; no marks unless its rateScores is set.
  ScoreThresholds scores;
  // The model date as the user writes dates; unset gives "yyyy-mm-dd".
  std::function<std::string(double serial)> formatDate;
};

std::vector<CellLine> CellLines(const SlotInfo& entry, const CellTextOptions& options);

}  // namespace tessarin
