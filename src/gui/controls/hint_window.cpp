#include "gui/controls/hint_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "gui/controls/hint_controller.h"

namespace tessarin {

THintWindow::THintWindow(THintController& controller, QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput),
      controller_(controller) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setMouseTracking(true);
  setPalette(QToolTip::palette());
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
}

void THintWindow::SetText(const QString& text) {
  text_ = text;
  update();
}

QRect THintWindow::TextRect(const QRect& client) {
  return client.adjusted(2, 1, -1, -1);
}

void THintWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::ToolTipBase));
  painter.setPen(colours.color(QPalette::ToolTipText));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setFont(font());
  // No mnemonic: an ampersand in a path shows as it is.
  painter.drawText(TextRect(rect()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text_);
}

bool THintWindow::MovedOver(const QPoint& globalPos) const {
  return isVisible() && geometry().contains(globalPos) && globalPos != shownAt_;
}

// Where the platform delivers mouse input to the hint after all.
void THintWindow::mouseMoveEvent(QMouseEvent* event) {
  if (MovedOver(event->globalPosition().toPoint()))
    controller_.CancelHint();
}

}  // namespace tessarin
