#pragma once
// Placement and columns of the Overview window in section Overview of Tessarin.ini.

#include <array>

#include "core/browsers/overview_layout.h"

namespace tessarin {

class SettingsStore;

// Position and size in the normal window state.
struct OverviewGeometry {
  int Left = kOverviewDesignLeft;
  int Top = kOverviewDesignTop;
  int Height = kOverviewDesignHeight;
  int Width = kOverviewDesignWidth;
  bool Maximized = false;

  bool operator==(const OverviewGeometry&) const = default;
};

struct OverviewColumnLayout {
  int Position = 0;  // visual position, 0 = leftmost
  int Width = 0;

  bool operator==(const OverviewColumnLayout&) const = default;
};

// By column index (overview_column::kProject ... kLtd).
using OverviewColumnLayouts = std::array<OverviewColumnLayout, overview_column::kCount>;

OverviewColumnLayouts DesignOverviewColumns();

// Left, Top, Height, Width and Maximized; the design values where a key is missing.
OverviewGeometry LoadOverviewGeometry(const SettingsStore& store);

// TreeColPos<tag> and TreeColWidth<tag>, defaulting to `current`. Stored positions that do
// not place every column exactly once are ignored; widths stay at least the column's minimum.
OverviewColumnLayouts LoadOverviewColumns(const SettingsStore& store,
                                          const OverviewColumnLayouts& current);

// Maximized, then (only in the normal window state) Left, Top, Height, Width, then every
// column's position and width; then writes the file. False when the file could not be
// written; the values stay in the store.
bool SaveOverviewSettings(SettingsStore& store, const OverviewGeometry& geometry, bool normalState,
                          const OverviewColumnLayouts& columns);

}  // namespace tessarin
