#include "gui/controls/hint_controller.h"

#include <QCoreApplication>
#include <QCursor>
#include <QWidget>
#include <algorithm>

#include "gui/controls/hint_window.h"

namespace tessarin {

THintController::THintController(QObject* parent) : QObject(parent) {
  timer_.setInterval(kTimerInterval);
  connect(&timer_, &QTimer::timeout, this, &THintController::TimerTimer);
}

THintController::~THintController() {
  delete window_.data();
}

THintController& THintController::Shared() {
  static QPointer<THintController> shared;
  if (shared.isNull())
    shared = new THintController(QCoreApplication::instance());
  return *shared;
}

void THintController::RegisterHintControl(QWidget* control, THintProc hintProc) {
  if (Find(control) == nullptr)
    controls_.push_back(Registration{control, std::move(hintProc)});
}

void THintController::UnregisterHintControl(QWidget* control) {
  if (tracked_ == control)
    CancelHint();
  std::erase_if(controls_, [control](const Registration& r) { return r.control == control; });
}

void THintController::TrackControl(QWidget* control) {
  if (control != tracked_)
    CancelHint();
  if (tracked_.isNull() && Find(control) != nullptr) {
    tracked_ = control;
    state_ = State::kWaiting;
    timer_.start();
  }
}

void THintController::CancelHint() {
  timer_.stop();
  timer_.setInterval(kTimerInterval);
  ticks_ = 0;
  HideHintWindow();
  tracked_ = nullptr;
  state_ = State::kIdle;
}

void THintController::CancelHintFor(const QWidget* control) {
  if (!tracked_.isNull() && tracked_ == control)
    CancelHint();
}

void THintController::TimerTimer() {
  if (state_ != State::kWaiting)
    return;
  if (ticks_ == 0) {
    ticks_ = 1;
    return;
  }
  ticks_ = 0;
  const Registration* registration = tracked_.isNull() ? nullptr : Find(tracked_);
  if (registration != nullptr && registration->hintProc(CursorPos()))
    state_ = State::kShowing;
  else
    CancelHint();
}

void THintController::ShowHintWindow(QWidget* control, const QRect& globalRect, const QString& text,
                                     const QFont& font) {
  // The window belongs to the control's window, so it never outlives the widgets.
  QWidget* owner = control->window();
  if (!window_.isNull() && window_->parentWidget() != owner) {
    delete window_.data();
  }
  if (window_.isNull())
    window_ = new THintWindow(*this, owner);
  window_->setFont(font);
  window_->SetText(text);
  window_->setGeometry(globalRect);
  window_->SetShownAtCursor(CursorPos());
  window_->show();
}

void THintController::HideHintWindow() {
  if (!window_.isNull())
    window_->hide();
}

void THintController::MouseMoved(const QPoint& globalPos) {
  if (!window_.isNull() && window_->MovedOver(globalPos))
    CancelHint();
}

bool THintController::HintShowing() const {
  return !window_.isNull() && window_->isVisible();
}

QPoint THintController::CursorPos() const {
  return cursor_ ? cursor_() : QCursor::pos();
}

const THintController::Registration* THintController::Find(const QWidget* control) const {
  const auto found =
      std::find_if(controls_.begin(), controls_.end(),
                   [control](const Registration& r) { return r.control == control; });
  return found == controls_.end() ? nullptr : &*found;
}

}  // namespace tessarin
