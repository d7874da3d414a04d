#pragma once
// The window of an in-place hint: a framed box in the tooltip colours holding the full text
// of a cut-off entry, laid exactly over it.

#include <QPoint>
#include <QString>
#include <QWidget>

namespace tessarin {

class THintController;

class THintWindow : public QWidget {
  Q_OBJECT

 public:
  // A separate top-level window that lives and dies with `owner`'s window. Mouse input passes
  // through it to the control below, which thus keeps its mouse and sees moves over the hint.
  THintWindow(THintController& controller, QWidget* owner);

  void SetText(const QString& text);
  QString Text() const { return text_; }
  // Where the mouse was when the hint appeared: a window showing up under a resting mouse
  // is no move over it.
  void SetShownAtCursor(const QPoint& globalPos) { shownAt_ = globalPos; }
  // The mouse moved onto the hint (not merely rested where the hint appeared).
  bool MovedOver(const QPoint& globalPos) const;

  // The text's place inside the window: 1 pixel frame, 1 pixel padding on the left.
  static QRect TextRect(const QRect& client);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  THintController& controller_;
  QString text_;
  QPoint shownAt_;
};

}  // namespace tessarin
