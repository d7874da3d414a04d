#include "gui/display/cell_painter.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "core/data/project_record.h"
#include "core/display/result_name_fit.h"
#include "gui/qt_text.h"

namespace tessarin {

namespace {

using namespace cell_layout;

const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kBlack(0x00, 0x00, 0x00);
const QColor kDotGreen(0x00, 0x80, 0x00);
const QColor kDotYellow(0xFF, 0xFF, 0x00);
const QColor kDotRed(0xFF, 0x00, 0x00);

QColor FromRgb(Rgb rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFFu));
}

QFont CellFont(int pixels, bool bold) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

int TextWidth(const QPainter& painter, const QString& text) {
  return painter.fontMetrics().horizontalAdvance(text);
}

// Text with an opaque background, (x, y) being the top-left corner of its line.
void TextOut(QPainter& painter, int x, int y, const QString& text, const QColor& ink,
             const QColor& paper) {
  if (text.isEmpty())
    return;
  const QFontMetrics metrics = painter.fontMetrics();
  painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), paper);
  painter.setPen(ink);
  painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

void TextOutRight(QPainter& painter, int right, int y, const QString& text, const QColor& ink,
                  const QColor& paper) {
  TextOut(painter, right - TextWidth(painter, text) - kRightMargin, y, text, ink, paper);
}

QColor DotColour(ScoreMark mark) {
  switch (mark) {
    case ScoreMark::kGreen:
      return kDotGreen;
    case ScoreMark::kRed:
      return kDotRed;
    default:
      return kDotYellow;
  }
}

void DrawDot(QPainter& painter, int left, int top, ScoreMark mark) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(kBlack, 1));
  painter.setBrush(DotColour(mark));
  // Half-pixel inset: the outline then covers exactly the 9-pixel box.
  const double size = kDotSize - 1;
  painter.drawEllipse(QRectF(left + kDotLeft + 0.5, top + kDotTop + 0.5, size, size));
  painter.restore();
}

}  // namespace

QString ShownProjectName(std::string_view projectName, std::string_view resultName, int cellWidth,
                         QPaintDevice* device) {
  const QFontMetrics boldMetrics(CellFont(kBodyPixels, true), device);
  const QFontMetrics bodyMetrics(CellFont(kBodyPixels, false), device);
  int shortestResult = 0;
  if (!resultName.empty()) {
    const QString whole = ToQString(resultName);
    shortestResult = std::min(bodyMetrics.horizontalAdvance(whole),
                              bodyMetrics.horizontalAdvance("..." + whole.right(1)));
  }
  return boldMetrics.elidedText(ToQString(projectName), Qt::ElideRight,
                                ProjectNameRoom(cellWidth, shortestResult));
}

QString ShownResultName(std::string_view projectName, std::string_view resultName, int cellWidth,
                        QPaintDevice* device) {
  const QFontMetrics boldMetrics(CellFont(kBodyPixels, true), device);
  const QFontMetrics bodyMetrics(CellFont(kBodyPixels, false), device);
  const int projectWidth =
      boldMetrics.horizontalAdvance(ShownProjectName(projectName, resultName, cellWidth, device));
  return ToQString(ShortenResultName(
      resultName, cellWidth - kNamesGap - projectWidth,
      [&bodyMetrics](std::string_view s) { return bodyMetrics.horizontalAdvance(ToQString(s)); }));
}

CellPainter::CellPainter(CellTextOptions options) : options_(std::move(options)) {}

void CellPainter::Paint(QPaintDevice& device, const QRect& cell, const SlotInfo& entry) const {
  QPainter painter(&device);
  Paint(painter, cell, entry);
}

void CellPainter::Paint(QPainter& painter, const QRect& cell, const SlotInfo& entry) const {
  painter.save();
  painter.setClipRect(cell);
  const int x0 = cell.left();
  const int top = cell.top();
  const int right = x0 + cell.width();
  const int bottom = top + cell.height();

  const QFont body = CellFont(kBodyPixels, false);
  const QFont bold = CellFont(kBodyPixels, true);
  const QFont small = CellFont(kSciencePixels, false);

  painter.fillRect(cell, kWhite);
  painter.fillRect(QRect(x0, top, cell.width(), kHeaderHeight), kBlack);

  const cell_layout::Columns columns = options_.scores.rateScores ? kRatedColumns : kPlainColumns;
  const auto kind = static_cast<ProjectKind>(entry.ProjectKind);
  // SETI@home and Astropulse labels share the dot column; the others start at the edge.
  const int signalLabelX =
      (kind == ProjectKind::kSeti || kind == ProjectKind::kAstropulse) ? columns.label : kLeft;
  int signalTop = top + (kind == ProjectKind::kSeti ? kSetiSignalsTop : kOtherSignalsTop);

  for (const CellLine& line : CellLines(entry, options_)) {
    switch (line.kind) {
      case CellLineKind::kHeader: {
        const int y = top + kHeaderTop;
        painter.setFont(body);
        const QString centre = ToQString(line.centre);
        const QString cache = ToQString(line.right);
        const int hostRoom =
            HostNameRoom(cell.width(), centre.isEmpty() ? 0 : TextWidth(painter, centre),
                         cache.isEmpty() ? 0 : TextWidth(painter, cache));
        painter.setFont(bold);
        TextOut(painter, x0 + kLeft, y,
                painter.fontMetrics().elidedText(ToQString(line.label), Qt::ElideRight, hostRoom),
                kWhite, kBlack);
        painter.setFont(body);
        if (!centre.isEmpty())
          TextOut(painter, x0 + (cell.width() - TextWidth(painter, centre)) / 2, y, centre, kWhite,
                  kBlack);
        TextOutRight(painter, right, y, cache, kWhite, kBlack);
        break;
      }
      case CellLineKind::kNames: {
        const int y = top + kNamesTop;
        painter.setFont(bold);
        TextOut(painter, x0 + kLeft, y,
                ShownProjectName(line.label, line.right, cell.width(), painter.device()), kBlack,
                kWhite);
        painter.setFont(body);
        if (!line.right.empty()) {
          TextOutRight(painter, right, y,
                       ShownResultName(line.label, line.right, cell.width(), painter.device()),
                       kBlack, kWhite);
        }
        break;
      }
      case CellLineKind::kScience:
        painter.setFont(small);
        TextOutRight(painter, right, top + kScienceTop, ToQString(line.right), kBlack, kWhite);
        painter.setFont(body);
        break;
      case CellLineKind::kSignal:
        painter.setFont(body);
        if (line.mark != ScoreMark::kNone)
          DrawDot(painter, x0, signalTop, line.mark);
        TextOut(painter, x0 + signalLabelX, signalTop, ToQString(line.label), kBlack, kWhite);
        TextOut(painter, x0 + columns.value, signalTop, ToQString(line.value), kBlack, kWhite);
        signalTop += kSignalPitch;
        break;
      case CellLineKind::kCpuTime:
        painter.setFont(body);
        TextOut(painter, x0 + kLeft, bottom - kCpuFromBottom, ToQString(line.label), kBlack,
                kWhite);
        TextOut(painter, x0 + columns.value, bottom - kCpuFromBottom, ToQString(line.value), kBlack,
                kWhite);
        break;
      case CellLineKind::kStatus: {
        painter.setFont(body);
        const int y = bottom - kStatusFromBottom;
        TextOutRight(painter, right, y, ToQString(line.right), kBlack, kWhite);
        TextOut(painter, x0 + kLeft, y, ToQString(line.label), kBlack, kWhite);
        TextOut(painter, x0 + kStatusValueLeft, y, ToQString(line.value), FromRgb(line.valueColor),
                kWhite);
        break;
      }
    }
  }
  painter.restore();
}

}  // namespace tessarin
