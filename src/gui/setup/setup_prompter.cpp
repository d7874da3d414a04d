#include "gui/setup/setup_prompter.h"

#include "gui/dialogs/message_boxes.h"
#include "gui/qt_text.h"

namespace tessarin {

PromptAnswer SetupBoxPrompter::Ask(const SetupMessage& message) {
  MessageKind kind = MessageKind::kError;
  QString caption = "Error";
  if (message.kind == PromptKind::Warning) {
    kind = MessageKind::kWarning;
    caption = "Warning";
  } else if (message.kind == PromptKind::Information) {
    kind = MessageKind::kInformation;
    caption = "Information";
  }
  MessageButtons buttons = MessageButtons::kOk;
  if (message.buttons == PromptButtons::OkCancel)
    buttons = MessageButtons::kOkCancel;
  else if (message.buttons == PromptButtons::OkIgnore)
    buttons = MessageButtons::kOkIgnore;

  // A label breaks lines at LF; a CR would show as a stray character.
  const QString text = ToQString(message.text).replace("\r\n", "\n");
  switch (boxes_.Show(parent_, kind, caption, text, buttons)) {
    case MessageAnswer::kOk:
      return PromptAnswer::Ok;
    case MessageAnswer::kIgnore:
      return PromptAnswer::Ignore;
    case MessageAnswer::kCancel:
      break;
  }
  return PromptAnswer::Cancel;
}

}  // namespace tessarin
