#pragma once
// Rows of texts laid out in aligned columns for a terminal.

#include <string>
#include <vector>

namespace tessarin {

using TextRow = std::vector<std::string>;

// Columns two blanks apart, each as wide as its widest text (counted in characters, so
// UTF-8 names do not shift the rest); `rightAligned[c]` pads column c on the left. Trailing
// blanks are dropped; every row ends with a line break.
std::string AlignedColumns(const std::vector<TextRow>& rows, const std::vector<bool>& rightAligned);

}  // namespace tessarin
