#pragma once
// The History section of Tessarin.ini: window geometry, the grid's column mask and the
// position and width of each statistics column.

#include <array>
#include <optional>
#include <string>

#include "core/browsers/history_tree_text.h"

namespace tessarin {

class SettingsStore;

struct WindowGeometry {
  int left = 274;
  int top = 203;
  int height = 366;
  int width = 576;
};

struct TreeColumnLayout {
  int position;
  int width;
};
// Indexed by the column's tag - 1.
using TreeLayout = std::array<TreeColumnLayout, kTreeColumns.size()>;

// Positions 0 to 4 and the design widths.
TreeLayout DefaultTreeLayout();

WindowGeometry ReadHistoryGeometry(const SettingsStore& settings);
bool ReadHistoryMaximized(const SettingsStore& settings);
// History/Selected as stored (empty when absent).
std::string ReadHistoryMask(const SettingsStore& settings);

// The mask to store on closing: the grid's when it showed rows; else the stored one stays, so
// a missing, empty or unreadable log never loses the user's column choice.
std::string ClosingHistoryMask(const SettingsStore& settings, bool showedRows,
                               const std::string& gridMask);

// The stored layout, each value defaulting to `current`. Positions that are not each of 0 to 4
// once are all replaced by the current ones; widths stay at least each column's minimum.
TreeLayout ReadTreeLayout(const SettingsStore& settings, const TreeLayout& current);

struct HistoryCloseState {
  std::string columnMask;
  bool maximized = false;
  // Only when the window is in its normal state (neither maximised nor minimised).
  std::optional<WindowGeometry> normalGeometry;
  TreeLayout treeLayout = DefaultTreeLayout();
};

// Stores the state and writes the settings file; throws std::runtime_error when it cannot be
// written.
void SaveHistorySettings(SettingsStore& settings, const HistoryCloseState& state);

}  // namespace tessarin
