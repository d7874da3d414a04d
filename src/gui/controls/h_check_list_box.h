#pragma once
// THCheckListBox: a check list whose cut-off entries show their full text in a hint laid
// over them, after the mouse has rested on the list for a moment.

#include <QListWidget>
#include <QPointer>
#include <functional>

#include "gui/controls/hint_controller.h"

namespace tessarin {

// OnShowHint of the list: the item's index, whether a hint is needed, and its text; the
// handler may veto the hint or change the text.
using TListHintEvent = std::function<void(int index, bool& showHint, QString& text)>;

class THCheckListBox : public QListWidget {
  Q_OBJECT

 public:
  // Without a controller the program's shared one is used.
  explicit THCheckListBox(QWidget* parent = nullptr, THintController* controller = nullptr);
  ~THCheckListBox() override;

  bool SpHint() const { return spHint_; }
  void SetSpHint(bool on);
  void SetOnShowHint(TListHintEvent handler) { onShowHint_ = std::move(handler); }

  // Shows the hint for the item under the screen point when its text is cut off.
  bool ShowHintAt(const QPoint& globalPos);
  // The item whose hint shows (-1 for none).
  int HintIndex() const { return hintIndex_; }

  // The item under a viewport point, only when it really lies under it; -1 otherwise.
  int ItemIndexAt(const QPoint& viewportPos) const;
  // The area an item's text is drawn in (viewport coordinates, cut at the viewport's edge)
  // and where the text itself starts.
  QRect ItemTextArea(int index) const;
  int ItemTextLeft(int index) const;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  THintController& Controller() const;
  int TextMargin() const;

  QPointer<THintController> controller_;
  bool spHint_ = true;
  int hintIndex_ = -1;
  TListHintEvent onShowHint_;
};

}  // namespace tessarin
