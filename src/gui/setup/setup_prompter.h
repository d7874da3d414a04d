#pragma once
// The setup's questions shown as message boxes.

#include "core/setup/setup_message.h"

class QWidget;

namespace tessarin {

class MessageBoxes;

class SetupBoxPrompter final : public SetupPrompter {
 public:
  SetupBoxPrompter(MessageBoxes& boxes, QWidget* parent) : boxes_(boxes), parent_(parent) {}
  PromptAnswer Ask(const SetupMessage& message) override;

 private:
  MessageBoxes& boxes_;
  QWidget* parent_;
};

}  // namespace tessarin
