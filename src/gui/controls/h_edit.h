#pragma once
// THEdit: an edit box whose text, when too wide for it, shows in full in a hint laid over
// it, after the mouse has rested on the box for a moment.

#include <QLineEdit>
#include <QPointer>
#include <functional>

#include "gui/controls/hint_controller.h"

namespace tessarin {

// OnShowHint of the edit: whether a hint is needed, and its text; the handler may veto the
// hint or change the text.
using THintEvent = std::function<void(bool& showHint, QString& text)>;

class THEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Without a controller the program's shared one is used.
  explicit THEdit(QWidget* parent = nullptr, THintController* controller = nullptr);
  ~THEdit() override;

  bool SpHint() const { return spHint_; }
  void SetSpHint(bool on);
  void SetOnShowHint(THintEvent handler) { onShowHint_ = std::move(handler); }

  bool ShowHintAt(const QPoint& globalPos);

  // Where the text is drawn when not scrolled (widget coordinates).
  QRect TextArea() const;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  THintController& Controller() const { return *controller_; }

  QPointer<THintController> controller_;
  bool spHint_ = true;
  THintEvent onShowHint_;
};

}  // namespace tessarin
