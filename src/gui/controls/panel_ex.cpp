#include "gui/controls/panel_ex.h"

#include <QMouseEvent>

namespace tessarin {

TPanelEx::TPanelEx(QWidget* parent) : QLabel(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  setAlignment(Qt::AlignCenter);
}

void TPanelEx::SetLowered(bool lowered) {
  setFrameShadow(lowered ? QFrame::Sunken : QFrame::Raised);
}

bool TPanelEx::Lowered() const {
  return frameShadow() == QFrame::Sunken;
}

void TPanelEx::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  emit MouseEnter(this);
}

void TPanelEx::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  pressed_ = false;
  emit MouseLeave(this);
}

void TPanelEx::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    pressed_ = true;
  QLabel::mousePressEvent(event);
}

void TPanelEx::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click && isEnabled())
    emit Click(this);
}

}  // namespace tessarin
