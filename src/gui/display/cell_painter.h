#pragma once
// DrawGridDrawCell's drawing: one display entry painted into one cell of any paint device
// (the grid's viewport, or an image in a test). The texts come from CellLines; this class
// owns only the pixel layout, the fonts and the colours.

#include <QRect>
#include <QString>
#include <string_view>

#include "core/display/cell_text.h"

class QPainter;
class QPaintDevice;

namespace tessarin {

// x from the cell's left edge, y from its top or (FromBottom) its bottom edge.
namespace cell_layout {
inline constexpr int kHeaderHeight = 20;
inline constexpr int kLeft = 5;
inline constexpr int kRightMargin = 5;
inline constexpr int kHeaderTop = 3;
inline constexpr int kNamesTop = 23;
// What the names line keeps beside its two names: both 5-pixel margins and a 5-pixel gap.
inline constexpr int kNamesGap = 15;
inline constexpr int kScienceTop = 37;
inline constexpr int kSetiSignalsTop = 55;
inline constexpr int kOtherSignalsTop = 65;
inline constexpr int kSignalPitch = 15;
inline constexpr int kCpuFromBottom = 35;
inline constexpr int kStatusFromBottom = 17;
inline constexpr int kStatusValueLeft = 47;
// The score dot's box: x 5..13, y from line top + 3, 9 pixels.
inline constexpr int kDotLeft = 5;
inline constexpr int kDotTop = 3;
inline constexpr int kDotSize = 9;
inline constexpr int kBodyPixels = 12;
inline constexpr int kSciencePixels = 10;
// Label and value columns: the labels move right to make room for the score dots.
struct Columns {
  int label;
  int value;
};
inline constexpr Columns kRatedColumns{17, 73};
inline constexpr Columns kPlainColumns{5, 64};
}  // namespace cell_layout

// The result name as a cell `cellWidth` wide shows it beside the project name: shortened from
// its front behind "..." (never below "..." and one character) so both fit with kNamesGap.
// `device` gives the font metrics (null: the screen's).
QString ShownResultName(std::string_view projectName, std::string_view resultName, int cellWidth,
                        QPaintDevice* device = nullptr);

class CellPainter {
 public:
  explicit CellPainter(CellTextOptions options = {});

  void SetOptions(CellTextOptions options) { options_ = std::move(options); }
  const CellTextOptions& Options() const { return options_; }

  // Paints the whole of `cell` and nothing outside it.
  void Paint(QPainter& painter, const QRect& cell, const SlotInfo& entry) const;
  void Paint(QPaintDevice& device, const QRect& cell, const SlotInfo& entry) const;

 private:
  CellTextOptions options_;
};

}  // namespace tessarin
