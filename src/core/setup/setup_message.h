#pragma once
// A question the setup asks the user. The dialog shows it in a message box and hands back the
// button pressed; the rules decide what the answer means.

#include <string>

namespace tessarin {

enum class PromptKind { Error, Warning, Information };
enum class PromptButtons { Ok, OkCancel, OkIgnore };
// A box closed without a button (Escape, the window's close box) answers Cancel.
enum class PromptAnswer { Ok, Cancel, Ignore };

struct SetupMessage {
  PromptKind kind = PromptKind::Error;
  PromptButtons buttons = PromptButtons::Ok;
  std::string text;  // UTF-8; lines end in CR LF

  bool operator==(const SetupMessage&) const = default;
};

class SetupPrompter {
 public:
  virtual ~SetupPrompter() = default;
  virtual PromptAnswer Ask(const SetupMessage& message) = 0;
};

}  // namespace tessarin
