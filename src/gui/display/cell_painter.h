#pragma once
// DrawGridDrawCell's drawing: one display entry painted into one cell of any paint device
// (the grid's viewport, or an image in a test). The texts come from CellLines; this class
// owns only the pixel layout, the fonts and the colours.

#include <QRect>
#include <QString>
#include <string_view>

#include "core/display/cell_layout.h"
#include "core/display/cell_text.h"

class QPainter;
class QPaintDevice;

namespace tessarin {

// The project name as a cell `cellWidth` wide shows it beside the result name: cut with "…"
// to ProjectNameRoom, so the result name keeps room for "..." and its last character.
QString ShownProjectName(std::string_view projectName, std::string_view resultName, int cellWidth,
                         QPaintDevice* device = nullptr);

// The result name as a cell `cellWidth` wide shows it beside the project name (itself cut to
// ProjectNameRoom): shortened from its front behind "..." (never below "..." and one
// character) so both fit with kNamesGap.
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
