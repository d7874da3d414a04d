#include "gui/display/tray_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tessarin {

namespace {

QPixmap DrawImage(int size, const QColor& fill) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double s = size;
  // A tile with a dark edge, so the yellow one stays visible on light panels too.
  painter.setPen(QPen(QColor(0x20, 0x20, 0x20), std::max(1.0, s / 16)));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88), s * 0.2, s * 0.2);
  // A "T" built from two bars, so it needs no font.
  const QColor ink = fill.lightness() > 150 ? QColor(0x20, 0x20, 0x20) : QColor(Qt::white);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  painter.drawRect(QRectF(s * 0.24, s * 0.24, s * 0.52, s * 0.14));
  painter.drawRect(QRectF(s * 0.43, s * 0.24, s * 0.14, s * 0.52));
  return pixmap;
}

}  // namespace

QColor TrayLevelColour(int level) {
  switch (level) {
    case 1:
      return QColor(0xFF, 0xD0, 0x00);
    case 2:
      return QColor(0xE0, 0x10, 0x10);
    default:
      return QColor(0x20, 0x60, 0xC0);
  }
}

std::array<QIcon, kTrayLevels> MakeTrayImages() {
  std::array<QIcon, kTrayLevels> images;
  for (int level = 0; level < kTrayLevels; ++level) {
    for (const int size : {16, 22, 24, 32, 48, 64})
      images[static_cast<std::size_t>(level)].addPixmap(DrawImage(size, TrayLevelColour(level)));
  }
  return images;
}

}  // namespace tessarin
