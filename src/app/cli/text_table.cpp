#include "text_table.h"

#include <algorithm>

#include "core/tools/terminal_text.h"

namespace tessarin {

namespace {

std::size_t DisplayWidth(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

}  // namespace

std::string AlignedColumns(const std::vector<TextRow>& shownRows,
                           const std::vector<bool>& rightAligned) {
  // Cells hold names from client files and logs.
  std::vector<TextRow> rows = shownRows;
  for (TextRow& row : rows) {
    for (std::string& cell : row)
      cell = TerminalText(cell);
  }
  std::vector<std::size_t> widths;
  for (const TextRow& row : rows) {
    widths.resize(std::max(widths.size(), row.size()), 0);
    for (std::size_t column = 0; column < row.size(); ++column)
      widths[column] = std::max(widths[column], DisplayWidth(row[column]));
  }
  std::string text;
  for (const TextRow& row : rows) {
    std::string line;
    for (std::size_t column = 0; column < row.size(); ++column) {
      if (column > 0)
        line += "  ";
      const std::string padding(widths[column] - DisplayWidth(row[column]), ' ');
      const bool right = column < rightAligned.size() && rightAligned[column];
      line += right ? padding + row[column] : row[column] + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + "\n";
  }
  return text;
}

}  // namespace tessarin
