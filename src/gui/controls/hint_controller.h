#pragma once
// THintController: the timing shared by the hint-showing controls. The mouse resting on a
// registered control for about 800 ms (two ticks of 400 ms) asks the control whether the
// entry under it is cut off; if so the control shows its full text over it.

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

#include "gui/controls/hint_window.h"

class QWidget;

namespace tessarin {

// ShowHintAt of a control: shows a hint for the entry under the screen point; true if shown.
using THintProc = std::function<bool(const QPoint& globalPos)>;

class THintController : public QObject {
  Q_OBJECT

 public:
  enum class State { kIdle = 0, kWaiting = 1, kShowing = 2 };
  static constexpr int kTimerInterval = 400;

  explicit THintController(QObject* parent = nullptr);
  ~THintController() override;

  // The program's one controller, freed with the application.
  static THintController& Shared();

  void RegisterHintControl(QWidget* control, THintProc hintProc);
  // Cancels first when that control is tracked.
  void UnregisterHintControl(QWidget* control);
  // Every mouse move over a control with the hint on and no button pressed. The delay runs
  // from the first move onto a control; further moves over it change nothing.
  void TrackControl(QWidget* control);
  void CancelHint();
  // CancelHint only when `control` is the tracked one: a key or a click in another control
  // leaves this hint alone.
  void CancelHintFor(const QWidget* control);

  // For the controls' ShowHintAt: the hint window over `globalRect`.
  void ShowHintWindow(QWidget* control, const QRect& globalRect, const QString& text,
                      const QFont& font);
  void HideHintWindow();
  // Called by the controls on each mouse move: a move over the hint itself cancels it.
  void MouseMoved(const QPoint& globalPos);

  // One timer tick; public so that tests need not wait for the clock.
  void TimerTimer();

  State CurrentState() const { return state_; }
  QWidget* TrackedControl() const { return tracked_; }
  bool TimerActive() const { return timer_.isActive(); }
  int TimerInterval() const { return timer_.interval(); }
  // The hint window while one exists (visible or not).
  THintWindow* HintWindow() const { return window_; }
  bool HintShowing() const;

  // Where the mouse is; the real cursor unless a test says otherwise.
  void SetCursorSource(std::function<QPoint()> source) { cursor_ = std::move(source); }
  QPoint CursorPos() const;

 private:
  struct Registration {
    QWidget* control;
    THintProc hintProc;
  };
  const Registration* Find(const QWidget* control) const;

  QTimer timer_;
  std::vector<Registration> controls_;
  QPointer<QWidget> tracked_;
  State state_ = State::kIdle;
  int ticks_ = 0;
  QPointer<THintWindow> window_;
  std::function<QPoint()> cursor_;
};

}  // namespace tessarin
