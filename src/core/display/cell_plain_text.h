#pragma once
// A cell as lines of plain text, for a terminal: the same texts in the same order, laid out
// in columns of characters.

#include <string>
#include <vector>

#include "core/display/cell_text.h"

namespace tessarin {

// Left texts at the start, centred texts in the middle and right texts at the end of a line
// of `width` characters (longer lines keep one blank between the parts). Signal, CPU and
// status values follow their label in one column; a score mark shows as "G", "Y" or "R"
// before the label. The result name is shortened to fit beside the project name.
std::vector<std::string> CellPlainText(const std::vector<CellLine>& lines, int width);

}  // namespace tessarin
