#pragma once
// The candidates of an Einstein@Home result file: one per line, the value in the last field.

#include <string_view>

#include "core/data/slot_info.h"

namespace tessarin {

enum class EinsteinResultLayout {
  kSevenFields,  // older applications: six fields before the value
  kFiveFields,   // "--IFO" applications: four fields before the value
};

// Counts every line up to the first one without a value into PeakCount and raises PeakValue
// to the largest value. Lines may end in CR LF or LF.
void ScanEinsteinPeaks(std::string_view text, EinsteinResultLayout layout, SlotInfo& entry);

}  // namespace tessarin
