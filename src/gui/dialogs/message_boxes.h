#pragma once
// Every message box of the program goes through here, so a test can read and answer them.

#include <QString>

class QWidget;

namespace tessarin {

enum class MessageKind { kInformation, kWarning, kError };
enum class MessageButtons { kOk, kOkCancel, kOkIgnore };
enum class MessageAnswer { kOk, kCancel, kIgnore };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Modal; answers the button chosen (closing the box answers Cancel, or Ok when it is the
  // only button).
  virtual MessageAnswer Show(QWidget* parent, MessageKind kind, const QString& caption,
                             const QString& text, MessageButtons buttons) = 0;

  void Information(QWidget* parent, const QString& caption, const QString& text) {
    Show(parent, MessageKind::kInformation, caption, text, MessageButtons::kOk);
  }
  void Error(QWidget* parent, const QString& caption, const QString& text) {
    Show(parent, MessageKind::kError, caption, text, MessageButtons::kOk);
  }
};

// The real boxes (QMessageBox).
class QtMessageBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(QWidget* parent, MessageKind kind, const QString& caption, const QString& text,
                     MessageButtons buttons) override;
};

}  // namespace tessarin
