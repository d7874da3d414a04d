#pragma once
// What the statistics tree shows: its five columns, the texts of a node under the two
// options of the "Options" menu, and the font of each level.

#include <array>
#include <string>

#include "core/browsers/history_tree.h"

namespace tessarin {

// The two check items of the "Options" menu; both start unchecked.
struct StatOptions {
  bool filterErrors = false;  // "Filter errorenous WUs"
  bool zeroAsError = false;   // "Consider WUs with 0 seconds as errorenous"
};

inline constexpr const char* kFilterErrorsCaption = "Filter errorenous WUs";
inline constexpr const char* kZeroAsErrorCaption = "Consider WUs with 0 seconds as errorenous";

struct TreeColumn {
  int tag;  // names the column's settings keys
  const char* caption;
  int width;  // design width
  int minWidth;
  bool rightAligned;
};

inline constexpr std::array<TreeColumn, 5> kTreeColumns = {{
    {1, "Project", 250, 250, false},
    {2, "Workunits", 80, 0, true},
    {3, "Errors", 60, 0, true},
    {4, "Total CPU Time", 125, 0, true},
    {5, "Avg. CPU Time", 125, 0, true},
}};

using TreeWidths = std::array<int, kTreeColumns.size()>;

// The width each column opens with at least: its design minimum, and for the number columns
// their widest text (`textWidths`, pixels, by column) plus `padding`.
TreeWidths TreeFittingWidths(const TreeWidths& textWidths, int padding);

// Column 0 the node's name, 1 work units, 2 errors, 3 total CPU days, 4 average CPU hours;
// any other column is empty.
std::string TreeGetText(const StatNode& node, int column, const StatOptions& options);

struct NodeFont {
  int pointSize;
  bool bold;
};

NodeFont TreePaintText(const StatNode& node);

}  // namespace tessarin
