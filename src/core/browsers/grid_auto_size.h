#pragma once
// Column widths from their contents: the larger of the header text + 20 and every data
// cell's text + 5 pixels. Hidden columns are sized too, and so become visible.

#include <functional>
#include <string_view>

#include "core/browsers/grid_columns.h"
#include "core/browsers/grid_table.h"

namespace tessarin {

// Pixel width of a text in the grid's font.
using TextWidthFunction = std::function<int(std::string_view)>;

// Measuring a million cells one by one with a real font takes far too long, so each cell is
// first estimated as the sum of its bytes' widths (each byte measured once), and only the
// widest estimates of a column (kMeasuredCellsPerColumn distinct texts) are measured whole.
// Exact whenever a text's width is the sum of its characters' widths.
inline constexpr std::size_t kMeasuredCellsPerColumn = 32;

void AutoSizeColumns(const GridTable& table, const TextWidthFunction& textWidth,
                     GridColumns& columns);

}  // namespace tessarin
