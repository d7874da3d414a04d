#include "gui/controls/h_check_list_box.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

namespace tessarin {

THCheckListBox::THCheckListBox(QWidget* parent, THintController* controller)
    : QListWidget(parent),
      controller_(controller != nullptr ? controller : &THintController::Shared()) {
  // Cut-off entries are what the hint is for: no sideways scrolling that would hide them.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideNone);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  controller_->RegisterHintControl(
      this, [this](const QPoint& globalPos) { return ShowHintAt(globalPos); });
}

THCheckListBox::~THCheckListBox() {
  if (!controller_.isNull())
    controller_->UnregisterHintControl(this);
}

THintController& THCheckListBox::Controller() const {
  return *controller_;
}

void THCheckListBox::SetSpHint(bool on) {
  spHint_ = on;
  if (!on)
    Controller().CancelHintFor(this);
}

int THCheckListBox::ItemIndexAt(const QPoint& viewportPos) const {
  const QListWidgetItem* found = itemAt(viewportPos);
  if (found == nullptr || !visualItemRect(found).contains(viewportPos))
    return -1;
  return row(found);
}

int THCheckListBox::TextMargin() const {
  return style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
}

QRect THCheckListBox::ItemTextArea(int index) const {
  const QListWidgetItem* entry = item(index);
  if (entry == nullptr)
    return {};
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualItemRect(entry);
  option.text = entry->text();
  option.features |= QStyleOptionViewItem::HasDisplay;
  if (entry->flags() & Qt::ItemIsUserCheckable) {
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    option.checkState = entry->checkState();
  }
  const QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
  const QRect visible = text.intersected(viewport()->rect());
  return visible.adjusted(TextMargin(), 0, -TextMargin(), 0);
}

int THCheckListBox::ItemTextLeft(int index) const {
  return ItemTextArea(index).left();
}

bool THCheckListBox::ShowHintAt(const QPoint& globalPos) {
  const int index = ItemIndexAt(viewport()->mapFromGlobal(globalPos));
  if (index < 0)
    return false;
  const QRect area = ItemTextArea(index);
  QString text = item(index)->text();
  bool needed = fontMetrics().horizontalAdvance(text) > area.width();
  if (onShowHint_)
    onShowHint_(index, needed, text);
  if (!needed)
    return false;
  const QRect itemRect = visualItemRect(item(index));
  // The hint's text lands where the item's text starts (see THintWindow::TextRect).
  const QRect local(area.left() - 2, itemRect.top(), fontMetrics().horizontalAdvance(text) + 5,
                    itemRect.height());
  const QRect global(viewport()->mapToGlobal(local.topLeft()), local.size());
  Controller().ShowHintWindow(this, global, text, font());
  hintIndex_ = index;
  return true;
}

void THCheckListBox::mouseMoveEvent(QMouseEvent* event) {
  if (spHint_ && event->buttons() == Qt::NoButton) {
    THintController& hints = Controller();
    hints.MouseMoved(event->globalPosition().toPoint());
    if (hints.TrackedControl() == this &&
        hints.CurrentState() == THintController::State::kShowing) {
      const int index = ItemIndexAt(event->position().toPoint());
      if (index != hintIndex_) {
        hints.HideHintWindow();
        hintIndex_ = -1;
        if (index < 0 || !ShowHintAt(event->globalPosition().toPoint()))
          hints.CancelHint();
      }
    }
    hints.TrackControl(this);
  }
  QListWidget::mouseMoveEvent(event);
}

void THCheckListBox::mousePressEvent(QMouseEvent* event) {
  Controller().CancelHintFor(this);
  QListWidget::mousePressEvent(event);
}

void THCheckListBox::keyPressEvent(QKeyEvent* event) {
  Controller().CancelHintFor(this);
  QListWidget::keyPressEvent(event);
}

void THCheckListBox::focusOutEvent(QFocusEvent* event) {
  Controller().CancelHintFor(this);
  QListWidget::focusOutEvent(event);
}

void THCheckListBox::leaveEvent(QEvent* event) {
  Controller().CancelHintFor(this);
  QListWidget::leaveEvent(event);
}

bool THCheckListBox::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave)
    Controller().CancelHintFor(this);
  return QListWidget::viewportEvent(event);
}

}  // namespace tessarin
