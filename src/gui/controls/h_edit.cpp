#include "gui/controls/h_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

namespace tessarin {

namespace {
// The gap a line edit keeps between its contents rectangle and the text.
constexpr int kTextGap = 2;
}  // namespace

THEdit::THEdit(QWidget* parent, THintController* controller)
    : QLineEdit(parent),
      controller_(controller != nullptr ? controller : &THintController::Shared()) {
  setMouseTracking(true);
  controller_->RegisterHintControl(
      this, [this](const QPoint& globalPos) { return ShowHintAt(globalPos); });
}

THEdit::~THEdit() {
  if (!controller_.isNull())
    controller_->UnregisterHintControl(this);
}

void THEdit::SetSpHint(bool on) {
  spHint_ = on;
  if (!on)
    Controller().CancelHintFor(this);
}

QRect THEdit::TextArea() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()
                             ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                             .marginsRemoved(textMargins());
  return contents.adjusted(kTextGap, 0, -kTextGap, 0);
}

bool THEdit::ShowHintAt(const QPoint&) {
  const QRect area = TextArea();
  QString shown = text();
  bool needed = fontMetrics().horizontalAdvance(shown) > area.width();
  if (onShowHint_)
    onShowHint_(needed, shown);
  if (!needed)
    return false;
  // The hint's text lands where the edit's text starts (see THintWindow::TextRect).
  const QRect local(area.left() - 2, area.top(), fontMetrics().horizontalAdvance(shown) + 5,
                    area.height());
  Controller().ShowHintWindow(this, QRect(mapToGlobal(local.topLeft()), local.size()), shown,
                              font());
  return true;
}

void THEdit::mouseMoveEvent(QMouseEvent* event) {
  if (spHint_ && event->buttons() == Qt::NoButton) {
    Controller().MouseMoved(event->globalPosition().toPoint());
    Controller().TrackControl(this);
  }
  QLineEdit::mouseMoveEvent(event);
}

void THEdit::mousePressEvent(QMouseEvent* event) {
  Controller().CancelHintFor(this);
  QLineEdit::mousePressEvent(event);
}

void THEdit::keyPressEvent(QKeyEvent* event) {
  Controller().CancelHintFor(this);
  QLineEdit::keyPressEvent(event);
}

void THEdit::focusOutEvent(QFocusEvent* event) {
  Controller().CancelHintFor(this);
  QLineEdit::focusOutEvent(event);
}

void THEdit::leaveEvent(QEvent* event) {
  Controller().CancelHintFor(this);
  QLineEdit::leaveEvent(event);
}

}  // namespace tessarin
