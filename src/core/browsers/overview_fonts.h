#pragma once
// How each Overview cell is drawn; the widget only applies it.

#include "core/browsers/overview_tree.h"

namespace tessarin {

enum class OverviewColour { Black, Red };

struct OverviewFont {
  int PointSize = 9;
  bool Bold = false;
  OverviewColour Colour = OverviewColour::Black;

  bool operator==(const OverviewFont&) const = default;
};

// Font of `column` (overview_column::kProject ... kLtd) for `node`. Red marks a negative
// long-term debt and a result that will miss its deadline.
OverviewFont TreePaintText(const OverviewNode& node, int column);

}  // namespace tessarin
