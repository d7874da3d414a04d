#pragma once
// How the grid orders its data rows by one column: numerically when every cell of the column
// reads as a number, as text otherwise.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/browsers/grid_table.h"

namespace tessarin {

enum class SortDirType { Ascending = 0, Descending = 1 };

// An empty cell is -999999999, so it sorts first; otherwise the whole text (blanks around it
// allowed) must be a finite decimal number with '.' as decimal point, or a CPU time
// "H:MM:SS" (read as seconds). False when it is neither.
bool SortNumberValue(std::string_view text, double& value);

// Reorders `order` (stored row numbers of the data rows, as shown) ascending by `column`:
// numbers by value, texts byte by byte with a to z upper-cased. Rows with equal keys keep
// their relative order. A column outside the table leaves the order alone.
void SortRowsByColumn(const GridTable& table, std::size_t column,
                      std::vector<std::uint32_t>& order);

}  // namespace tessarin
