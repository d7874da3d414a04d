#pragma once
// A question the setup asks the user. The dialog shows it in a message box and hands back the
// button pressed; the rules decide what the answer means.

#include <string>

namespace tessarin {

enum class MessageKind { Error, Warning, Information };
enum class MessageButtons { Ok, OkCancel, OkIgnore };
// A box closed without a button (Escape, the window's close box) answers Cancel.
enum class MessageAnswer { Ok, Cancel, Ignore };

struct SetupMessage {
  MessageKind kind = MessageKind::Error;
  MessageButtons buttons = MessageButtons::Ok;
  std::string text;  // UTF-8; lines end in CR LF

  bool operator==(const SetupMessage&) const = default;
};

class SetupPrompter {
 public:
  virtual ~SetupPrompter() = default;
  virtual MessageAnswer Ask(const SetupMessage& message) = 0;
};

}  // namespace tessarin
