#pragma once
// TPanelEx: a panel that reports the mouse entering and leaving it, and clicks on it.

#include <QLabel>

namespace tessarin {

class TPanelEx : public QLabel {
  Q_OBJECT

 public:
  explicit TPanelEx(QWidget* parent = nullptr);

  // The outer bevel: raised (as a button at rest) or lowered.
  void SetLowered(bool lowered);
  bool Lowered() const;

 signals:
  void MouseEnter(TPanelEx* sender);
  void MouseLeave(TPanelEx* sender);
  // A left click while enabled.
  void Click(TPanelEx* sender);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace tessarin
