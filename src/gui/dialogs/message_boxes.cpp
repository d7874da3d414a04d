#include "gui/dialogs/message_boxes.h"

#include <QMessageBox>

namespace tessarin {

MessageAnswer QtMessageBoxes::Show(QWidget* parent, MessageKind kind, const QString& caption,
                                   const QString& text, MessageButtons buttons) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  switch (kind) {
    case MessageKind::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageKind::kWarning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageKind::kError:
      box.setIcon(QMessageBox::Critical);
      break;
  }
  switch (buttons) {
    case MessageButtons::kOk:
      box.setStandardButtons(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Ok);
      break;
    case MessageButtons::kOkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    case MessageButtons::kOkIgnore:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Ignore);
      // OK stops to let the user correct the value; Escape must never mean "go ahead".
      box.setEscapeButton(QMessageBox::Ok);
      break;
  }
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  if (clicked == box.button(QMessageBox::Ok))
    return MessageAnswer::kOk;
  if (clicked == box.button(QMessageBox::Ignore))
    return MessageAnswer::kIgnore;
  return buttons == MessageButtons::kOk ? MessageAnswer::kOk : MessageAnswer::kCancel;
}

}  // namespace tessarin
