#include "core/display/cell_plain_text.h"

#include <string_view>

#include "core/display/result_name_fit.h"

namespace tessarin {

namespace {

// Wide enough for the longest label, "F-statistic".
constexpr std::size_t kLabelColumn = 12;

int CharacterWidth(std::string_view text) {
  return static_cast<int>(text.size());
}

// The dot before a rated signal; blanks keep the other lines in the same columns.
std::string MarkText(ScoreMark mark) {
  switch (mark) {
    case ScoreMark::kGreen:
      return "G ";
    case ScoreMark::kYellow:
      return "Y ";
    case ScoreMark::kRed:
      return "R ";
    case ScoreMark::kNone:
      break;
  }
  return "  ";
}

// `text` padded with blanks to `column`, at least one blank when it is not empty.
void PadTo(std::string& text, std::size_t column) {
  if (text.size() < column) {
    text.append(column - text.size(), ' ');
  } else if (!text.empty()) {
    text += ' ';
  }
}

std::string LeftPart(const CellLine& line, bool rated) {
  switch (line.kind) {
    case CellLineKind::kSignal:
    case CellLineKind::kCpuTime: {
      std::string text = (rated ? MarkText(line.mark) : "") + line.label;
      PadTo(text, kLabelColumn + (rated ? 2 : 0));
      return text + line.value;
    }
    case CellLineKind::kStatus:
      return line.label + " " + line.value;
    default:
      return line.label;
  }
}

std::string LayOut(std::string text, const CellLine& line, std::size_t width) {
  if (!line.centre.empty()) {
    const std::size_t centre = width > line.centre.size() ? (width - line.centre.size()) / 2 : 0;
    PadTo(text, centre);
    text += line.centre;
  }
  std::string right = line.right;
  if (line.kind == CellLineKind::kNames && !right.empty()) {
    const int available = static_cast<int>(width) - static_cast<int>(text.size()) - 1;
    right = ShortenResultName(right, available, CharacterWidth);
  }
  if (!right.empty()) {
    PadTo(text, width > right.size() ? width - right.size() : 0);
    text += right;
  }
  while (!text.empty() && text.back() == ' ')
    text.pop_back();
  return text;
}

}  // namespace

std::vector<std::string> CellPlainText(const std::vector<CellLine>& lines, int width) {
  const std::size_t columns = width > 0 ? static_cast<std::size_t>(width) : 0;
  bool rated = false;
  for (const CellLine& line : lines)
    rated = rated || line.mark != ScoreMark::kNone;
  std::vector<std::string> text;
  for (const CellLine& line : lines)
    text.push_back(LayOut(LeftPart(line, rated), line, columns));
  return text;
}

}  // namespace tessarin
