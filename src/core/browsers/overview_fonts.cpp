#include "core/browsers/overview_fonts.h"

#include "core/browsers/overview_layout.h"

namespace tessarin {

OverviewFont TreePaintText(const OverviewNode& node, int column) {
  switch (node.Level) {
    case OverviewLevel::Host:
      return {12, true, OverviewColour::Black};
    case OverviewLevel::Project: {
      const bool red = column == overview_column::kLtd && node.LongTermDebt < 0;
      return {10, true, red ? OverviewColour::Red : OverviewColour::Black};
    }
    case OverviewLevel::Result:
      break;
  }
  const bool red = MissesDeadline(node, kActiveShares) ||
                   (column == overview_column::kDeadline && MissesDeadline(node, kAllShares));
  return {9, false, red ? OverviewColour::Red : OverviewColour::Black};
}

}  // namespace tessarin
